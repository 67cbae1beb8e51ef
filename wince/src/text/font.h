// The GDI font object behind an HFONT.
#pragma once

#include <memory>

#include "gdi/dc.h"
#include "text/font_engine.h"

namespace wince {

class Font : public GdiObject {
 public:
  Font(const LOGFONTW& logFont, std::shared_ptr<FontFace> face);
  ~Font() override;

  // GetObjectW on a font: its LOGFONTW.
  int Describe(int size, void* buffer) const override;

  const LOGFONTW& logFont() const { return logFont_; }
  // Call with TextMutex held.
  FontFace& face() const { return *face_; }

 private:
  LOGFONTW logFont_;
  std::shared_ptr<FontFace> face_;
};

// The stock system font (the default family at the default cell height), which every
// new DC holds, as on Windows. Created on first use; null when no font can be had.
// Call without TextMutex held.
HFONT SystemFont();

// The font selected into a DC, or the system font when none is. Null only when no font
// at all can be had. Call without TextMutex held.
Font* FontOfDC(const DeviceContext& dc);

// How many rendered glyphs the font's face holds (shared with fonts of the same face).
size_t GlyphCacheSize(HFONT font);

}  // namespace wince
