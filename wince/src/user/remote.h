// Windows of other processes of the same user: a top-level window listens on an abstract
// Unix socket named after the user, WINCE_INSTANCE_SCOPE, the display, its class and its title, so that
// FindWindowW in another process finds it and SetForegroundWindow can raise it.
#pragma once

#include <string>

#include <windows.h>

namespace wince {

// Called on the window's thread; a name already taken by another process is left to it.
void StartListener(HWND window, const std::u16string& className, const std::u16string& title);
void StopListener(HWND window);

// A proxy handle for the other process's window, or null.
HWND FindRemoteWindow(LPCWSTR className, LPCWSTR title);
// Asks the owner of a proxy handle to raise and activate its window.
BOOL RaiseRemoteWindow(HWND proxy);
BOOL RemoteWindowExists(HWND proxy);

}  // namespace wince
