// Start-up: window creation shows the splash screen and starts the loading thread,
// which builds every subsystem step by step and then shows the Home page.
#pragma once

#include <windows.h>

// Posted by the loading thread to the main window once Loading is 0, so that a close
// asked for during loading can be carried out.
enum { WM_LOADING_DONE = WM_USER + 1 };

// The shortest time the splash screen stays up.
enum { SPLASH_MINIMUM_MS = 3000 };

// WM_CREATE: Loading set, splash screen, keep-awake timer, animator, loading thread.
LRESULT OnCreate(HWND window);
DWORD WINAPI LoadingThread(LPVOID);
