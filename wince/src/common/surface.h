// The pixel surface behind bitmaps and the window: the contract between the GDI and
// the window system of the layer.
#pragma once

#include <cstdint>
#include <windows.h>

namespace wince {

// 32-bit pixels 0x00RRGGBB (the memory order of a 32-bpp DIB: blue, green, red, unused;
// a DIB section with per-pixel alpha holds alpha there), rows top-down, stride in pixels.
struct Surface {
  int width = 0;
  int height = 0;
  int stride = 0;
  uint32_t* pixels = nullptr;
};

// Implemented by the GDI.
// A bitmap of the given size holding a copy of pixels (may be null: black); bitsPerPixel
// is what GetObjectW reports (resources keep their 8 or 24 bits, stored as 32 bpp).
HBITMAP CreateBitmapFromPixels(int width, int height, int bitsPerPixel, const uint32_t* pixels);
// A 32-bpp DIB section holding a copy of pixels with their alpha bytes (premultiplied
// 0xAARRGGBB): GetObjectW reports its bits, AlphaBlend can blend it per pixel.
HBITMAP CreateDibSectionFromPixels(int width, int height, const uint32_t* pixels);
// The surface of a bitmap handle, or null.
Surface* BitmapSurface(HBITMAP bitmap);
// A device context that draws onto a surface it does not own (the window's); released
// by ReleaseDC/EndPaint through ReleaseSurfaceDC.
HDC CreateSurfaceDC(Surface* surface);
void ReleaseSurfaceDC(HDC dc);

}  // namespace wince
