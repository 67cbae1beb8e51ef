// Shared by the widget tests: a real window whose queue receives the widgets'
// notifications, and 32-bpp canvases and solid test bitmaps for pixel probes.
#pragma once

#include <gtest/gtest.h>

#include <vector>
#include <windows.h>

// One WM_COMMAND as the main window would receive it.
struct Posted {
  int id;
  int code;
  LPARAM widget;
  bool operator==(const Posted& other) const {
    return id == other.id && code == other.code && widget == other.widget;
  }
};

inline void PrintTo(const Posted& p, std::ostream* os) {
  *os << "{id " << p.id << ", code " << p.code << "}";
}

inline Posted Cmd(int id, int code, const void* widget) {
  return {id, code, reinterpret_cast<LPARAM>(widget)};
}

class WindowTest : public ::testing::Test {
 protected:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
  }

  void SetUp() override {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = Proc;
    windowClass.lpszClassName = TEXT("TouchUiTestWindow");
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, TEXT("TouchUiTestWindow"), TEXT("touchui"), WS_VISIBLE, 0, 0,
                              480, 640, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
    Drain();
  }

  void TearDown() override {
    DestroyWindow(window_);
    UnregisterClassW(TEXT("TouchUiTestWindow"), nullptr);
  }

  // Removes and returns the WM_COMMANDs posted so far, in order; other messages are
  // dropped, and the window validated (WM_PAINT stays until it is) so that the next
  // check starts clean.
  std::vector<Posted> Drain() {
    std::vector<Posted> commands;
    MSG msg;
    while (PeekMessageW(&msg, window_, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_COMMAND) {
        commands.push_back({LOWORD(msg.wParam), HIWORD(msg.wParam), msg.lParam});
      }
      if (msg.message == WM_PAINT) ValidateRect(window_, nullptr);
    }
    return commands;
  }

  // Whether something invalidated the window since the last Drain.
  bool PaintPending() {
    MSG msg;
    return PeekMessageW(&msg, window_, WM_PAINT, WM_PAINT, PM_NOREMOVE) != 0;
  }

  HWND window_ = nullptr;
};

// A memory device context with a 32-bpp bitmap, filled with one colour.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateBitmap(width, height, 1, 32, nullptr);
    previous_ = SelectObject(dc_, bitmap_);
    Fill(0, 0, width, height, fill);
  }
  ~Canvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  void Fill(int left, int top, int right, int bottom, COLORREF color) {
    RECT r = {left, top, right, bottom};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc_, &r, brush);
    DeleteObject(brush);
  }
  HDC Dc() const { return dc_; }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y) & 0x00FFFFFF; }
  // Whether any pixel of the rectangle differs from color.
  bool AnyOtherThan(int left, int top, int right, int bottom, COLORREF color) const {
    return Find(left, top, right, bottom, color, false);
  }
  // Whether any pixel of the rectangle is exactly color.
  bool Contains(int left, int top, int right, int bottom, COLORREF color) const {
    return Find(left, top, right, bottom, color, true);
  }

 private:
  bool Find(int left, int top, int right, int bottom, COLORREF color, bool equal) const {
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) {
        if ((At(x, y) == color) == equal) return true;
      }
    }
    return false;
  }

  int width_;
  int height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
};

// A 32-bpp bitmap of one colour; the left `split` columns take `left` instead.
inline HBITMAP SolidBitmap(int width, int height, COLORREF color, int split = 0,
                           COLORREF left = 0) {
  auto pixel = [](COLORREF c) {
    return static_cast<DWORD>(GetRValue(c)) << 16 | static_cast<DWORD>(GetGValue(c)) << 8 |
           GetBValue(c);
  };
  std::vector<DWORD> bits(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) bits[y * width + x] = pixel(x < split ? left : color);
  }
  return CreateBitmap(width, height, 1, 32, bits.data());
}
