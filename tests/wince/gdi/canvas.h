// A memory DC with its own bitmap, for the GDI tests.
#pragma once

#include <windows.h>

#include "common/surface.h"

struct Canvas {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;
  int width = 0, height = 0;

  Canvas(int w, int h, COLORREF fill = RGB(0, 0, 0)) : width(w), height(h) {
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateCompatibleBitmap(dc, w, h);
    previous = SelectObject(dc, bitmap);
    Fill(fill);
  }
  ~Canvas() {
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  void Fill(COLORREF color) {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) SetPixel(dc, x, y, color);
  }
  COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
};
