// Brushes, pens, FillRect, lines and rectangles.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "gdi/objects.h"
#include "gdi/raster.h"

using namespace wince;

HBRUSH CreateSolidBrush(COLORREF color) {
  auto brush = std::make_unique<Brush>();
  brush->pixel = PixelFromColor(color);
  return static_cast<HBRUSH>(RegisterGdiObject(std::move(brush)));
}

// The brush keeps its own copy of the pixels, so the bitmap may be deleted afterwards.
HBRUSH CreatePatternBrush(HBITMAP bitmap) {
  const Surface* from = BitmapSurface(bitmap);
  if (!from) return nullptr;
  auto brush = std::make_unique<Brush>();
  brush->style = Brush::Style::Pattern;
  size_t count = size_t(from->width) * size_t(from->height);
  brush->patternPixels.reset(new (std::nothrow) uint32_t[count]);
  if (!brush->patternPixels) return nullptr;
  brush->pattern = Surface{from->width, from->height, from->width, brush->patternPixels.get()};
  for (int y = 0; y < from->height; ++y) {
    std::memcpy(brush->patternPixels.get() + size_t(y) * from->width,
                from->pixels + int64_t(y) * from->stride, size_t(from->width) * 4);
  }
  return static_cast<HBRUSH>(RegisterGdiObject(std::move(brush)));
}

// Right and bottom edges are excluded; an inverted rectangle fills nothing.
int FillRect(HDC handle, CONST RECT* rect, HBRUSH brushHandle) {
  DeviceContext* dc = LookupDC(handle);
  Brush* brush = LookupGdi<Brush>(brushHandle, GdiKind::Brush);
  if (!dc || !rect || !brush) return 0;
  if (!dc->surface) return 1;
  Span xs = ClipSpan(int64_t(rect->left) + dc->origin.x, int64_t(rect->right) - rect->left, dc->surface->width);
  Span ys = ClipSpan(int64_t(rect->top) + dc->origin.y, int64_t(rect->bottom) - rect->top, dc->surface->height);
  FillSpans(*dc->surface, xs, ys, brush, PATCOPY, dc->origin.x, dc->origin.y);
  return 1;
}

// Every pen draws one pixel wide; PS_NULL draws nothing; other styles draw solid.
HPEN CreatePen(int style, int width, COLORREF color) {
  auto pen = std::make_unique<Pen>();
  pen->style = style;
  pen->width = std::max(width, 1);
  pen->pixel = PixelFromColor(color);
  return static_cast<HPEN>(RegisterGdiObject(std::move(pen)));
}

BOOL MoveToEx(HDC handle, int x, int y, LPPOINT previous) {
  DeviceContext* dc = LookupDC(handle);
  if (!dc) return FALSE;
  if (previous) *previous = dc->position;
  dc->position = POINT{x, y};
  return TRUE;
}

namespace {

// The Bresenham line from (x0, y0) towards (x1, y1), the end point left out. Pixel t along
// the major axis lies t * minor / major off the start on the minor axis, rounded to the
// nearest pixel; a line passing exactly between two pixels lights the upper or the left
// one (the diamond convention of Windows' cosmetic lines), whichever way it is drawn.
// Only the steps inside the surface are visited, so any coordinates cost at most the
// surface's size.
void DrawLine(const Surface& s, int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint32_t pixel) {
  int64_t dx = x1 - x0, dy = y1 - y0;
  bool xMajor = std::llabs(dx) >= std::llabs(dy);
  int64_t major = xMajor ? std::llabs(dx) : std::llabs(dy);
  int64_t minor = xMajor ? std::llabs(dy) : std::llabs(dx);
  int64_t majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
  int64_t minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
  int64_t majorStart = xMajor ? x0 : y0, minorStart = xMajor ? y0 : x0;
  int64_t majorLimit = xMajor ? s.width : s.height, minorLimit = xMajor ? s.height : s.width;
  // Steps t in [0, major) whose major coordinate lies inside the surface.
  int64_t first = 0, last = major;
  if (majorStep > 0) {
    first = std::max<int64_t>(first, -majorStart);
    last = std::min<int64_t>(last, majorLimit - majorStart);
  } else {
    first = std::max<int64_t>(first, majorStart - (majorLimit - 1));
    last = std::min<int64_t>(last, majorStart + 1);
  }
  // Halves round towards the start when the line runs down or right, away from it otherwise.
  int64_t half = minorStep > 0 ? major - 1 : major;
  for (int64_t t = first; t < last; ++t) {
    // 128-bit: coordinates a full int apart would overflow 64 bits here.
    int64_t offset = int64_t((__int128(2) * t * minor + half) / (2 * major));
    int64_t m = minorStart + minorStep * offset;
    if (m < 0 || m >= minorLimit) continue;
    int64_t a = majorStart + majorStep * t;
    int64_t px = xMajor ? a : m, py = xMajor ? m : a;
    s.pixels[py * s.stride + px] = pixel;
  }
}

}  // namespace

BOOL LineTo(HDC handle, int x, int y) {
  DeviceContext* dc = LookupDC(handle);
  if (!dc) return FALSE;
  Pen* pen = LookupGdi<Pen>(dc->pen, GdiKind::Pen);
  if (dc->surface && pen && pen->style != PS_NULL) {
    DrawLine(*dc->surface, int64_t(dc->position.x) + dc->origin.x, int64_t(dc->position.y) + dc->origin.y,
             int64_t(x) + dc->origin.x, int64_t(y) + dc->origin.y, pen->pixel);
  }
  dc->position = POINT{x, y};
  return TRUE;
}

// The outline in the pen covers left .. right - 1 and top .. bottom - 1, the inside is
// filled with the brush; with the null pen the filled area is one pixel smaller on the
// right and bottom, as on Windows.
BOOL Rectangle(HDC handle, int left, int top, int right, int bottom) {
  DeviceContext* dc = LookupDC(handle);
  if (!dc) return FALSE;
  if (!dc->surface) return TRUE;
  int64_t l = std::min(left, right), r = std::max(left, right);
  int64_t t = std::min(top, bottom), b = std::max(top, bottom);
  Pen* pen = LookupGdi<Pen>(dc->pen, GdiKind::Pen);
  bool outline = pen && pen->style != PS_NULL;
  int64_t inset = outline ? 1 : 0;
  const Surface& s = *dc->surface;
  int64_t ox = dc->origin.x, oy = dc->origin.y;
  Span xs = ClipSpan(l + inset + ox, r - l - 1 - inset, s.width);
  Span ys = ClipSpan(t + inset + oy, b - t - 1 - inset, s.height);
  FillSpans(s, xs, ys, LookupGdi<Brush>(dc->brush, GdiKind::Brush), PATCOPY, ox, oy);
  if (outline && r - l >= 1 && b - t >= 1) {
    DrawLine(s, l + ox, t + oy, r - 1 + ox, t + oy, pen->pixel);
    DrawLine(s, r - 1 + ox, t + oy, r - 1 + ox, b - 1 + oy, pen->pixel);
    DrawLine(s, r - 1 + ox, b - 1 + oy, l + ox, b - 1 + oy, pen->pixel);
    DrawLine(s, l + ox, b - 1 + oy, l + ox, t + oy, pen->pixel);
  }
  return TRUE;
}
