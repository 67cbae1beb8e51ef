// SHFullScreen. On the device it hides the taskbar, the input panel button and the Start
// icon so that the window can cover the phone's screen, and the program then places its
// window over the whole screen (or over the work area when it leaves full screen). The
// desktop keeps its taskbar, and the program's screen is the client area of a normal
// desktop window: the first call gives the window a caption with the system menu and a
// minimise button (closing it is the program's WM_CLOSE), every call sizes the window so
// that its client area is the screen (the frame measured at the window's DPI), and the
// placement that the program makes right after the call leaves the window where the user
// has put it. Only the first window that asks is handled, as the program has one.
#include "standins.h"

namespace {

HWND desktopWindow = nullptr;
WNDPROC programProc = nullptr;
bool placementPending = false;

SIZE FrameFor(HWND window, UINT dpi) {
  RECT rect = {0, 0, kScreenWidth, kScreenHeight};
  AdjustWindowRectExForDpi(&rect, DWORD(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                           DWORD(GetWindowLongPtrW(window, GWL_EXSTYLE)), dpi);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

void FitToScreen(HWND window) {
  if (IsIconic(window)) return;
  SIZE frame = FrameFor(window, GetDpiForWindow(window));
  SetWindowPos(window, nullptr, 0, 0, frame.cx, frame.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK DesktopWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_WINDOWPOSCHANGING && placementPending) {
    auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
    if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
      pos->flags |= SWP_NOMOVE | SWP_NOSIZE;
      placementPending = false;
    }
  } else if (message == WM_DPICHANGED) {
    // Moved onto a monitor of another DPI: the frame changes, the screen does not.
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    SIZE frame = FrameFor(window, HIWORD(wParam));
    SetWindowPos(window, nullptr, suggested->left, suggested->top, frame.cx, frame.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
  }
  return CallWindowProcW(programProc, window, message, wParam, lParam);
}

void MakeDesktopWindow(HWND window) {
  desktopWindow = window;
  LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  SetWindowLongPtrW(window, GWL_STYLE, style | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
  programProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DesktopWindowProc)));
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

BOOL SHFullScreen(HWND window, DWORD state) {
  if (!IsWindow(window)) return FALSE;
  if (!desktopWindow) MakeDesktopWindow(window);
  if (window != desktopWindow) return TRUE;
  placementPending = false;
  FitToScreen(window);
  placementPending = true;
  return TRUE;
}
