// The shell library: full-screen control and image loading.
#pragma once
#include "ce/types.h"

#define SHFS_SHOWTASKBAR 0x0001
#define SHFS_HIDETASKBAR 0x0002
#define SHFS_SHOWSIPBUTTON 0x0004
#define SHFS_HIDESIPBUTTON 0x0008
#define SHFS_SHOWSTARTICON 0x0010
#define SHFS_HIDESTARTICON 0x0020

// Implemented by the window system.
WINCEAPI BOOL SHFullScreen(HWND window, DWORD state);
// Decodes a PNG file (device path) into a 32-bpp bitmap; null when the file is missing,
// not a PNG, damaged or too large.
WINCEAPI HBITMAP SHLoadImageFile(LPCTSTR fileName);
