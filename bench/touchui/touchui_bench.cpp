// Drawing the selection list costs the same for 10 rows as for 100,000: only the rows
// in view are drawn, the first one found by division.
#include <benchmark/benchmark.h>

#include <strsafe.h>
#include <windows.h>

#include "touchui/TouchSelectList.h"

namespace {

LRESULT CALLBACK BenchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND BenchWindow() {
  static HWND window = [] {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = BenchProc;
    windowClass.lpszClassName = TEXT("TouchBench");
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, TEXT("TouchBench"), TEXT("bench"), 0, 0, 0, 480, 640, nullptr,
                           nullptr, nullptr, nullptr);
  }();
  return window;
}

// The picker's list (480 x 480 at y 52) with n rows, scrolled to the middle, drawn into
// a 32-bpp frame like the program's back buffer.
void BM_ListDraw(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  HWND window = BenchWindow();
  HDC frame = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(480, 640, 1, 32, nullptr);
  HGDIOBJ previous = SelectObject(frame, bitmap);
  HBITMAP icon = CreateBitmap(48, 48, 1, 32, nullptr);

  TouchSelectList list(64);
  list.SetBounds(0, 52, 480, 480);
  SelectListItem item = {};
  StringCchCopyW(item.Text, MAX_PATH, TEXT("Chimes"));
  StringCchCopyW(item.SecondText, MAX_PATH, TEXT("Wind Chime.wav"));
  item.Icon = icon;
  for (int i = 0; i < count; ++i) list.AddItem(item);
  int middle = (list.ContentHeight() - list.Height()) / 2;
  list.OnMouseDown(window, 240, 500);
  list.OnMouseMove(window, 240, 500 - middle);
  list.OnMouseUp(window, 240, 500 - middle);
  list.Select(count / 2);

  for (auto _ : state) list.Draw(frame);
  state.counters["offset"] = list.ScrollOffset();

  MSG msg;
  while (PeekMessageW(&msg, window, 0, 0, PM_REMOVE)) {
  }
  SelectObject(frame, previous);
  DeleteObject(bitmap);
  DeleteObject(icon);
  DeleteDC(frame);
}
BENCHMARK(BM_ListDraw)->Arg(10)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
