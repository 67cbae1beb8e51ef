// The Windows Mobile shell library as far as the program uses it (absent from desktop
// Windows); values of the Windows Mobile 6 SDK.
#pragma once
#include <windows.h>

#define SHFS_SHOWTASKBAR 0x0001
#define SHFS_HIDETASKBAR 0x0002
#define SHFS_SHOWSIPBUTTON 0x0004
#define SHFS_HIDESIPBUTTON 0x0008
#define SHFS_SHOWSTARTICON 0x0010
#define SHFS_HIDESTARTICON 0x0020

extern "C" {
BOOL SHFullScreen(HWND hwndRequester, DWORD dwState);
HBITMAP SHLoadImageFile(LPCTSTR pszFileName);
}
