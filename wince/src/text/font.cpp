#include "text/font.h"

#include <algorithm>
#include <cstring>

#include "common/utf.h"

namespace wince {
namespace {

std::unique_ptr<Font> MakeFont(const LOGFONTW& logFont) {
  LOGFONTW copy = logFont;
  copy.lfFaceName[LF_FACESIZE - 1] = 0;
  FontMatch match;
  if (!MatchFont(ToUtf8(copy.lfFaceName), copy.lfWeight, copy.lfItalic != 0, &match))
    return nullptr;
  auto face = FontFace::Get(match, copy.lfHeight);
  if (!face) return nullptr;
  return std::make_unique<Font>(copy, std::move(face));
}

}  // namespace

Font::Font(const LOGFONTW& logFont, std::shared_ptr<FontFace> face)
    : GdiObject(GdiKind::Font), logFont_(logFont), face_(std::move(face)) {}

// The face may be shared with other fonts; FreeType is released under the text lock.
Font::~Font() {
  std::lock_guard<std::mutex> lock(TextMutex());
  face_.reset();
}

int Font::Describe(int size, void* buffer) const {
  if (!buffer) return sizeof(LOGFONTW);
  const int count = std::clamp(size, 0, static_cast<int>(sizeof(LOGFONTW)));
  std::memcpy(buffer, &logFont_, count);
  return count;
}

HFONT SystemFont() {
  static const HFONT font = [] {
    std::unique_ptr<Font> system;
    {
      std::lock_guard<std::mutex> lock(TextMutex());
      system = MakeFont(LOGFONTW{});
    }
    if (system) system->stock = true;
    return static_cast<HFONT>(RegisterGdiObject(std::move(system)));
  }();
  return font;
}

Font* FontOfDC(const DeviceContext& dc) {
  if (Font* font = LookupGdi<Font>(dc.font, GdiKind::Font)) return font;
  return LookupGdi<Font>(SystemFont(), GdiKind::Font);
}

size_t GlyphCacheSize(HFONT font) {
  std::lock_guard<std::mutex> lock(TextMutex());
  const Font* found = LookupGdi<Font>(font, GdiKind::Font);
  return found ? found->face().cachedGlyphCount() : 0;
}

}  // namespace wince

HFONT CreateFontIndirectW(const LOGFONTW* logFont) {
  if (!logFont) return nullptr;
  std::unique_ptr<wince::Font> font;
  {
    std::lock_guard<std::mutex> lock(wince::TextMutex());
    font = wince::MakeFont(*logFont);
  }
  // Outside the lock: a font the table refuses is destroyed here, which takes the lock.
  return static_cast<HFONT>(wince::RegisterGdiObject(std::move(font)));
}
