// The process entry, the single instance and the one full-screen window.
#pragma once

#include <windows.h>

#define MAIN_WINDOW_CLASS TEXT("TiltChimeClass")
#define MAIN_WINDOW_TITLE TEXT("TiltChime")

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int showCommand);
BOOL InitInstance(HINSTANCE instance, int showCommand);
LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
