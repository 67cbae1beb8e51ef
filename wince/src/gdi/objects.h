// The GDI's own object kinds behind HBITMAP, HBRUSH and HPEN.
#pragma once

#include <cstdint>
#include <memory>

#include "gdi/dc.h"

namespace wince {

// A 32-bpp bitmap; bitsPerPixel is what GetObjectW reports (resources keep their 8 or 24).
class Bitmap : public GdiObject {
 public:
  Bitmap() : GdiObject(GdiKind::Bitmap) {}
  // A black bitmap of the size, or null when the size is not positive or too large.
  static std::unique_ptr<Bitmap> Create(int width, int height, int bitsPerPixel);
  int Describe(int size, void* buffer) const override;

  Surface surface;
  int bitsPerPixel = 32;
  // A DIB section: GetObjectW hands out its bits (rows top-down).
  bool dibSection = false;

 private:
  std::unique_ptr<uint32_t[]> storage_;
};

class Brush : public GdiObject {
 public:
  enum class Style { Solid, Pattern, Null };
  Brush() : GdiObject(GdiKind::Brush) {}

  Style style = Style::Solid;
  uint32_t pixel = 0;      // solid colour, surface format
  Surface pattern;         // Pattern: a private copy of the bitmap's pixels
  std::unique_ptr<uint32_t[]> patternPixels;
};

class Pen : public GdiObject {
 public:
  Pen() : GdiObject(GdiKind::Pen) {}

  int style = PS_SOLID;
  int width = 1;
  uint32_t pixel = 0;
};

// The stock 1x1 monochrome bitmap that every new memory DC holds.
HBITMAP StockBitmap();

// Any live object behind the handle, or null.
GdiObject* LookupAnyGdiObject(HGDIOBJ handle);
// Selection bookkeeping: Hold fails for a dead handle, a kind mismatch, an object whose
// deletion is pending, or a bitmap already held by another DC. Release frees the
// object when a deletion was pending and no DC holds it any more.
bool HoldGdiObject(HGDIOBJ handle, GdiKind kind);
void ReleaseGdiObject(HGDIOBJ handle);
// Frees the object of that kind; false for a dead handle, a kind mismatch or a selected
// bitmap. Selected pens, brushes and fonts are freed when their last DC releases them.
bool DestroyGdiObject(HGDIOBJ handle, GdiKind kind);

}  // namespace wince
