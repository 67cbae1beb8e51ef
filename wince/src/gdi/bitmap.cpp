// Bitmaps: creation, the surface contract with the window system, single pixels.
#include <algorithm>
#include <cstring>

#include "gdi/objects.h"

namespace wince {

HBITMAP CreateBitmapFromPixels(int width, int height, int bitsPerPixel, const uint32_t* pixels) {
  auto bitmap = Bitmap::Create(width, height, bitsPerPixel);
  if (!bitmap) return nullptr;
  if (pixels) {
    uint32_t* out = bitmap->surface.pixels;
    size_t count = size_t(width) * size_t(height);
    for (size_t i = 0; i < count; ++i) out[i] = pixels[i] & 0xFFFFFF;
  }
  return static_cast<HBITMAP>(RegisterGdiObject(std::move(bitmap)));
}

HBITMAP CreateDibSectionFromPixels(int width, int height, const uint32_t* pixels) {
  auto bitmap = Bitmap::Create(width, height, 32);
  if (!bitmap) return nullptr;
  std::copy_n(pixels, size_t(width) * size_t(height), bitmap->surface.pixels);
  bitmap->dibSection = true;
  return static_cast<HBITMAP>(RegisterGdiObject(std::move(bitmap)));
}

Surface* BitmapSurface(HBITMAP handle) {
  Bitmap* bitmap = LookupGdi<Bitmap>(handle, GdiKind::Bitmap);
  return bitmap ? &bitmap->surface : nullptr;
}

}  // namespace wince

using namespace wince;

namespace {

// The surface pixel behind logical (x, y) of a DC, or null outside its bitmap.
uint32_t* PixelAt(HDC handle, int x, int y) {
  DeviceContext* dc = LookupDC(handle);
  if (!dc || !dc->surface) return nullptr;
  int64_t sx = int64_t(x) + dc->origin.x;
  int64_t sy = int64_t(y) + dc->origin.y;
  const Surface& s = *dc->surface;
  if (sx < 0 || sy < 0 || sx >= s.width || sy >= s.height) return nullptr;
  return s.pixels + sy * s.stride + sx;
}

}  // namespace

// Every bitmap is 32 bpp whatever the DC; a zero width or height gives the stock 1x1
// monochrome bitmap, as Windows documents.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  if (!LookupDC(dc) || width < 0 || height < 0) return nullptr;
  if (width == 0 || height == 0) return StockBitmap();
  return CreateBitmapFromPixels(width, height, 32, nullptr);
}

// Monochrome (1 = white, rows padded to 16 bits) and 32-bpp (rows of 0x00RRGGBB) bits.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, CONST VOID* bits) {
  if (planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 32)) return nullptr;
  if (width == 0 || height == 0) return StockBitmap();
  auto bitmap = Bitmap::Create(width, height, int(bitsPerPixel));
  if (!bitmap) return nullptr;
  if (bits) {
    const auto* in = static_cast<const uint8_t*>(bits);
    Surface& s = bitmap->surface;
    if (bitsPerPixel == 32) {
      std::memcpy(s.pixels, in, size_t(width) * size_t(height) * 4);
      for (int64_t i = 0; i < int64_t(width) * height; ++i) s.pixels[i] &= 0xFFFFFF;
    } else {
      size_t rowBytes = size_t((width + 15) / 16) * 2;
      for (int y = 0; y < height; ++y) {
        const uint8_t* row = in + size_t(y) * rowBytes;
        for (int x = 0; x < width; ++x) {
          bool white = (row[x >> 3] >> (7 - (x & 7))) & 1;
          s.pixels[size_t(y) * s.stride + x] = white ? 0xFFFFFF : 0;
        }
      }
    }
  }
  return static_cast<HBITMAP>(RegisterGdiObject(std::move(bitmap)));
}

COLORREF GetPixel(HDC dc, int x, int y) {
  uint32_t* p = PixelAt(dc, x, y);
  return p ? ColorFromPixel(*p) : CLR_INVALID;
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
  uint32_t* p = PixelAt(dc, x, y);
  if (!p) return CLR_INVALID;
  *p = PixelFromColor(color);
  return color & 0xFFFFFF;
}
