// Owns a window of class "OwnerClass" titled "Owner", steps back from the foreground,
// says "ready", and ends with exit code 7 once another process brings it forward.
#include <cstdio>

#include <windows.h>

namespace {

bool g_ready = false;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ACTIVATE && LOWORD(wParam) == WA_ACTIVE && g_ready) {
    std::puts("activated");
    std::fflush(stdout);
    PostQuitMessage(7);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = OwnerProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = TEXT("OwnerClass");
  if (!RegisterClassW(&windowClass)) return 1;
  HWND window = CreateWindowExW(0, TEXT("OwnerClass"), TEXT("Owner"), WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  if (!window) return 2;
  ShowWindow(window, SW_MINIMIZE);
  g_ready = true;
  std::puts("ready");
  std::fflush(stdout);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
