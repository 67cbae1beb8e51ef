// Full-screen mode and the display orientation of the active window.
#pragma once

#include <windows.h>

// On: hides the taskbar, input button and start icon and covers the whole screen.
// Off: shows them again and moves the window onto the work area. Returns 1.
int SetFullScreen(HWND window, bool on);

// The current display orientation (DMDO_*), or -1 when the system cannot report it.
int GetDisplayOrientation();
// Returns 1 when the orientation was changed to code, 0 when it was already in force
// or the system cannot report or change orientations.
int SetDisplayOrientation(int code);
