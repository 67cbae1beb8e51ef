// A window class that records the messages its windows receive, for the window-system tests.
#pragma once

#include <vector>

#include <windows.h>

namespace recorder {

struct Entry {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD tick;
};

// Written on the window's thread; tests read it once the program is idle.
inline std::vector<Entry> log;
// Returned for WM_ERASEBKGND; WM_PAINT validates through BeginPaint/EndPaint.
inline bool quitOnDestroy = true;
inline int quitCode = 0;

inline LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  log.push_back(Entry{window, message, wParam, lParam, GetTickCount()});
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      if (quitOnDestroy) PostQuitMessage(quitCode);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

inline bool Register() {
  WNDCLASSW windowClass = {};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = Proc;
  windowClass.lpszClassName = TEXT("Recorder");
  return RegisterClassW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

inline HWND Create(DWORD style = WS_VISIBLE) {
  if (!Register()) return nullptr;
  return CreateWindowExW(0, TEXT("Recorder"), TEXT("Recorder"), style, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
}

// The messages of the given kinds, in the order they arrived.
inline std::vector<UINT> Messages(std::initializer_list<UINT> kinds) {
  std::vector<UINT> found;
  for (const Entry& entry : log)
    for (UINT kind : kinds)
      if (entry.message == kind) found.push_back(entry.message);
  return found;
}

inline std::vector<Entry> Entries(UINT kind) {
  std::vector<Entry> found;
  for (const Entry& entry : log)
    if (entry.message == kind) found.push_back(entry);
  return found;
}

// Dispatches everything that is ready without blocking.
inline void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// A WinMain for the test driver: a recorder window and the standard message loop.
inline int WINAPI WinMain(HINSTANCE, HINSTANCE, LPWSTR, int show) {
  HWND window = Create(0);
  if (!window) return -1;
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace recorder
