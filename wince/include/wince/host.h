// Extensions of the layer for host-side components (the sensor library stand-in). Not part
// of the Windows CE API; the application never includes this.
#pragma once

#include <windows.h>

// Called on the GUI thread for every key press and release (not for auto-repeat), whether
// it comes from the host window or from the test driver; tick is GetTickCount of the event.
typedef void (*WinceKeyHook)(UINT vk, BOOL down, DWORD tick);
// Replaces the hook; null removes it.
WINCEAPI void WinceSetKeyHook(WinceKeyHook hook);

