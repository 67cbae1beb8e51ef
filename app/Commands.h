// Command routing: every widget notification (WM_COMMAND) goes to the handler of its
// widget id and notification code.
#pragma once

#include <windows.h>

// The donation page of the program's makers, opened in the device's browser.
#define DONATION_PAGE TEXT("https://www.example.com/tiltchime/donate")

enum { PICKER_LIST_TIMER_ID = 4, PICKER_LIST_TIMER_MS = 11 };

// WM_COMMAND: the handler's result; ids and codes without a handler go to
// DefWindowProcW.
LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam);
// Starts program with commandLine; 1 when the process was created.
BOOL LaunchBrowser(const WCHAR* program, const WCHAR* commandLine);
// The fling step of the sound picker list.
void CALLBACK OnPickerListTimer(HWND window, UINT message, UINT_PTR timerId, DWORD time);
