// What the Windows Mobile 6 SDK's <windows.h> has and the desktop headers lack or define
// otherwise, for compiling the program against desktop Windows headers. Forced in ahead of
// every source file; it includes <windows.h> itself. Values are those the Windows Mobile 6
// SDK documents.
#pragma once

// The device's entry point is WinMain with a wide command line; the desktop headers
// declare an ANSI WinMain of C linkage, which is kept out of the way.
#define WinMain DesktopAnsiWinMain
#include <windows.h>
#undef WinMain
extern "C" int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine,
                              int nShowCmd);

extern "C" {
// Keeps the device from suspending or dimming while the program plays.
void WINAPI SystemIdleTimerReset(void);
// Draws a bitmap or a device context's image, scaled, leaving one colour out.
BOOL WINAPI TransparentImage(HDC hdcDest, LONG DstX, LONG DstY, LONG DstCx, LONG DstCy, HANDLE hSrc,
                             LONG SrcX, LONG SrcY, LONG SrcCx, LONG SrcCy, COLORREF TransparentColor);
// The device looks exported functions up by a wide name.
FARPROC WINAPI GetProcAddressW(HMODULE hModule, LPCWSTR lpProcName);
}
#define GetProcAddress GetProcAddressW

// Display orientation: the device's own DEVMODE field bits and rotation codes (a bit set,
// so DMDO_270 is 4). Desktop Windows counts 0 to 3, uses 0x80 for the field bit, and has
// DM_ICMMETHOD and DM_ICMINTENT where the device has the two orientation bits.
#undef DM_DISPLAYORIENTATION
#define DM_DISPLAYORIENTATION 0x00800000L
#define DM_DISPLAYQUERYORIENTATION 0x01000000L
#define DMDO_0 0
#undef DMDO_270
#define DMDO_270 4

// Where the device and the desktop differ in what a call means, the program reaches the
// device's meaning through a stand-in of the same shape (windows/ on the desktop).
extern "C" {
// The device's screen is the phone's, 480 x 640: on the desktop, the client area of the
// program's window. SM_CXSCREEN and SM_CYSCREEN give its size, every other index is the
// desktop's own.
int WINAPI DeviceGetSystemMetrics(int nIndex);
// The device takes a window handle with its lowest bit set as "this window and the
// windows it owns"; the desktop needs the handle itself.
BOOL WINAPI DeviceSetForegroundWindow(HWND hWnd);
// The device's display orientation fields; the desktop's display modes are not the
// program's to change.
LONG WINAPI DeviceChangeDisplaySettingsEx(LPCWSTR lpszDeviceName, LPDEVMODEW lpDevMode, HWND hwnd,
                                          DWORD dwflags, LPVOID lParam);
}
#define GetSystemMetrics DeviceGetSystemMetrics
#define SetForegroundWindow DeviceSetForegroundWindow
#undef ChangeDisplaySettingsEx
#define ChangeDisplaySettingsEx DeviceChangeDisplaySettingsEx
