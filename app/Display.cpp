#include "app/Display.h"

#include <aygshell.h>

int SetFullScreen(HWND window, bool on) {
  if (on) {
    SHFullScreen(window, SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON);
    MoveWindow(window, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), TRUE);
    ShowWindow(window, SW_SHOWNORMAL);
  } else {
    SHFullScreen(window, SHFS_SHOWTASKBAR | SHFS_SHOWSIPBUTTON | SHFS_SHOWSTARTICON);
    RECT work = {0, 0, 0, 0};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    MoveWindow(window, work.left, work.top, work.right - work.left, work.bottom - work.top, TRUE);
  }
  return 1;
}

// Asks the display driver for one orientation field; returns the field or -1.
static int QueryOrientation(DWORD field) {
  DEVMODEW mode = {};
  mode.dmSize = sizeof(mode);
  mode.dmFields = field;
  if (ChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_TEST, nullptr) != DISP_CHANGE_SUCCESSFUL)
    return -1;
  return int(mode.dmDisplayOrientation);
}

int GetDisplayOrientation() { return QueryOrientation(DM_DISPLAYORIENTATION); }

int SetDisplayOrientation(int code) {
  int supported = QueryOrientation(DM_DISPLAYQUERYORIENTATION);
  int current = GetDisplayOrientation();
  if (supported < 0 || current < 0 || current == code) return 0;
  DEVMODEW mode = {};
  mode.dmSize = sizeof(mode);
  mode.dmFields = DM_DISPLAYORIENTATION;
  mode.dmDisplayOrientation = DWORD(code);
  return ChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_RESET, nullptr) == DISP_CHANGE_SUCCESSFUL ? 1 : 0;
}
