// The smaller calls that only Windows Mobile has, or that mean something else there.
#include "standins.h"

// The device's idle timer dims and then suspends the phone; the desktop's execution
// state keeps the display and the system awake. Without ES_CONTINUOUS this resets the
// idle timers once, as each call on the device does.
void WINAPI SystemIdleTimerReset() { SetThreadExecutionState(ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED); }

// The device names exported functions in UTF-16; exported names are ASCII. A value below
// 65536 is an ordinal, as for GetProcAddress.
FARPROC WINAPI GetProcAddressW(HMODULE module, LPCWSTR name) {
  if (reinterpret_cast<ULONG_PTR>(name) <= 0xFFFF) return GetProcAddress(module, reinterpret_cast<LPCSTR>(name));
  char ascii[256];
  int i = 0;
  for (; name[i]; ++i) {
    if (name[i] > 0x7F || i + 1 >= int(sizeof ascii)) {
      SetLastError(ERROR_PROC_NOT_FOUND);
      return nullptr;
    }
    ascii[i] = char(name[i]);
  }
  ascii[i] = 0;
  return GetProcAddress(module, ascii);
}

// TransparentImage draws from a device context or from a bitmap; the desktop's
// TransparentBlt takes a device context only.
BOOL WINAPI TransparentImage(HDC target, LONG x, LONG y, LONG width, LONG height, HANDLE source,
                             LONG sourceX, LONG sourceY, LONG sourceWidth, LONG sourceHeight, COLORREF key) {
  if (GetObjectType(source) != OBJ_BITMAP)
    return TransparentBlt(target, x, y, width, height, static_cast<HDC>(source), sourceX, sourceY,
                          sourceWidth, sourceHeight, key);
  HDC memory = CreateCompatibleDC(target);
  if (!memory) return FALSE;
  HGDIOBJ previous = SelectObject(memory, source);
  BOOL drawn = previous && TransparentBlt(target, x, y, width, height, memory, sourceX, sourceY,
                                          sourceWidth, sourceHeight, key);
  if (previous) SelectObject(memory, previous);
  DeleteDC(memory);
  return drawn;
}

int WINAPI DeviceGetSystemMetrics(int index) {
  if (index == SM_CXSCREEN) return kScreenWidth;
  if (index == SM_CYSCREEN) return kScreenHeight;
  return GetSystemMetrics(index);
}

// The running program's window comes forward, restored if the user had minimised it.
BOOL WINAPI DeviceSetForegroundWindow(HWND window) {
  window = reinterpret_cast<HWND>(reinterpret_cast<ULONG_PTR>(window) & ~ULONG_PTR(1));
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  return SetForegroundWindow(window);
}

// The device's orientation fields (DM_DISPLAYORIENTATION, DM_DISPLAYQUERYORIENTATION)
// are refused: the desktop turns no display for the program, which then leaves the
// orientation alone. Any other request is the desktop's.
LONG WINAPI DeviceChangeDisplaySettingsEx(LPCWSTR device, LPDEVMODEW mode, HWND window, DWORD flags, LPVOID parameter) {
  if (mode && (mode->dmFields & (DM_DISPLAYORIENTATION | DM_DISPLAYQUERYORIENTATION))) return DISP_CHANGE_BADMODE;
  return ChangeDisplaySettingsExW(device, mode, window, flags, parameter);
}
