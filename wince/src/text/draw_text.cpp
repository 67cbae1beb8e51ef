// DrawTextW, GetTextExtentPoint32W and GetTextMetricsW over the FreeType glyph cache.
#include <algorithm>
#include <mutex>
#include <string_view>

#include "gdi/dc.h"
#include "text/font.h"

namespace wince {
namespace {

constexpr char32_t kEllipsis[] = U"...";
// Coordinates and lengths are held within the range of the Windows GDI (27 bits), so
// that no sum of them can overflow, whatever the rectangle or the text.
constexpr int kMaxCoordinate = 1 << 27;

int ClampCoordinate(int64_t v) {
  return int(std::clamp<int64_t>(v, -kMaxCoordinate, kMaxCoordinate));
}

int Saturate(int64_t v) { return int(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

bool IsLineBreak(WCHAR c) { return c == u'\r' || c == u'\n'; }

// Reads the characters that a text shows: surrogate pairs are joined and, unless
// DT_NOPREFIX, an '&' is dropped and marks the next character as the mnemonic (so "&&"
// shows one '&').
class CharReader {
 public:
  CharReader(const WCHAR* begin, const WCHAR* end, bool prefixes)
      : p_(begin), end_(end), prefixes_(prefixes) {}

  const WCHAR* position() const { return p_; }

  bool Next(char32_t* ch, bool* mnemonic) {
    *mnemonic = false;
    if (prefixes_ && p_ < end_ && *p_ == u'&') {
      ++p_;
      *mnemonic = p_ < end_ && *p_ != u'&';
    }
    if (p_ >= end_) return false;
    const char16_t unit = *p_++;
    *ch = unit;
    if (unit >= 0xD800 && unit < 0xDC00 && p_ < end_ && *p_ >= 0xDC00 && *p_ < 0xE000)
      *ch = 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(*p_++) - 0xDC00);
    else if (unit >= 0xD800 && unit < 0xE000)
      *ch = 0xFFFD;
    return true;
  }

 private:
  const WCHAR* p_;
  const WCHAR* end_;
  bool prefixes_;
};

// Control characters take no room and draw nothing.
int Advance(FontFace& face, char32_t ch) { return ch < 0x20 ? 0 : face.GlyphFor(ch).advance; }

int AddAdvance(int width, FontFace& face, char32_t ch) {
  return std::min(width + Advance(face, ch), kMaxCoordinate);
}

int EllipsisWidth(FontFace& face) {
  int width = 0;
  for (char32_t ch : std::u32string_view(kEllipsis)) width += Advance(face, ch);
  return width;
}

int MeasureRange(FontFace& face, const WCHAR* begin, const WCHAR* end, bool prefixes) {
  CharReader reader(begin, end, prefixes);
  int width = 0;
  char32_t ch;
  bool mnemonic;
  while (reader.Next(&ch, &mnemonic)) width = AddAdvance(width, face, ch);
  return width;
}

// One line of text as it will be drawn: the characters from begin up to end, then
// "..." when the line was cut to fit.
struct LineLayout {
  const WCHAR* begin;
  const WCHAR* end;
  bool ellipsis = false;
  int width = 0;
};

LineLayout LayOutLine(FontFace& face, const WCHAR* begin, const WCHAR* end, UINT format,
                      int available) {
  const bool prefixes = !(format & DT_NOPREFIX);
  LineLayout line{begin, end};
  line.width = MeasureRange(face, begin, end, prefixes);
  if (!(format & DT_END_ELLIPSIS) || line.width <= available) return line;
  // Keep the longest start of the line that leaves room for "..." (possibly none).
  const int ellipsis = EllipsisWidth(face);
  CharReader reader(begin, end, prefixes);
  line.end = begin;
  line.ellipsis = true;
  int width = 0;
  char32_t ch;
  bool mnemonic;
  while (reader.Next(&ch, &mnemonic)) {
    width = AddAdvance(width, face, ch);
    if (width + ellipsis > available) break;
    line.end = reader.position();
  }
  line.width = MeasureRange(face, begin, line.end, prefixes) + ellipsis;
  return line;
}

// Where the line after the one starting at begin starts; *lineEnd receives the end of
// that line. Lines end at CR, LF or CR LF and, with DT_WORDBREAK, after the last word
// that fits (a word wider than the rectangle stays whole on its own line).
const WCHAR* NextLine(FontFace& face, const WCHAR* begin, const WCHAR* end, UINT format,
                      int available, const WCHAR** lineEnd) {
  if (format & DT_SINGLELINE) {
    *lineEnd = end;
    return end;
  }
  // Each line reads no further than where it ends, so laying out a long text stays linear.
  const WCHAR* hardEnd = begin;
  if (format & DT_WORDBREAK) {
    const bool prefixes = !(format & DT_NOPREFIX);
    const WCHAR* lastSpace = nullptr;
    const WCHAR* measured = begin;
    int width = 0;  // of the text from begin to measured
    bool overflows = false;
    for (; hardEnd < end && !IsLineBreak(*hardEnd); ++hardEnd) {
      if (*hardEnd != u' ') continue;
      width = std::min(width + MeasureRange(face, measured, hardEnd, prefixes), kMaxCoordinate);
      measured = hardEnd;
      if (width > available && lastSpace) {
        overflows = true;
        break;
      }
      lastSpace = hardEnd;
    }
    if (!overflows) overflows = width + MeasureRange(face, measured, hardEnd, prefixes) > available;
    if (lastSpace && overflows) {
      *lineEnd = lastSpace;
      const WCHAR* next = lastSpace;
      while (next < end && *next == u' ') ++next;
      return next;
    }
  } else {
    hardEnd = std::find_if(begin, end, IsLineBreak);
  }
  *lineEnd = hardEnd;
  const WCHAR* next = hardEnd;
  if (next < end && *next == u'\r') ++next;
  if (next < end && *next == u'\n' && (next == hardEnd || next[-1] == u'\r')) ++next;
  return next;
}

struct Box {
  int left, top, right, bottom;
  bool empty() const { return left >= right || top >= bottom; }
};

Box Intersect(const Box& a, const Box& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

uint32_t Blend(uint32_t dst, uint32_t color, uint32_t coverage) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t d = (dst >> shift) & 0xFF;
    const uint32_t c = (color >> shift) & 0xFF;
    out |= ((c * coverage + d * (255 - coverage) + 127) / 255) << shift;
  }
  return out;
}

// Draws onto one surface in surface coordinates, never outside clip.
class TextPainter {
 public:
  TextPainter(const Surface& surface, const Box& clip, uint32_t color)
      : surface_(surface), clip_(clip), color_(color) {}

  void Fill(const Box& box, uint32_t pixel) {
    const Box b = Intersect(box, clip_);
    if (b.empty()) return;
    for (int y = b.top; y < b.bottom; ++y)
      std::fill_n(surface_.pixels + ptrdiff_t(y) * surface_.stride + b.left, b.right - b.left,
                  pixel);
  }

  void Underline(int left, int right, int top, int thickness) {
    Fill({left, top, right, top + thickness}, color_);
  }

  void DrawGlyph(const Glyph& glyph, int penX, int baseline) {
    const Box box{penX + glyph.left, baseline - glyph.top, penX + glyph.left + glyph.width,
                  baseline - glyph.top + glyph.rows};
    const Box b = Intersect(box, clip_);
    if (b.empty()) return;
    for (int y = b.top; y < b.bottom; ++y) {
      const uint8_t* coverage = glyph.coverage.data() + size_t(y - box.top) * glyph.width;
      uint32_t* row = surface_.pixels + ptrdiff_t(y) * surface_.stride;
      for (int x = b.left; x < b.right; ++x) {
        const uint8_t c = coverage[x - box.left];
        if (c) row[x] = Blend(row[x], color_, c);
      }
    }
  }

 private:
  const Surface& surface_;
  Box clip_;
  uint32_t color_;
};

// Draws one laid-out line with its top-left corner at (x, top) in surface coordinates;
// a mnemonic character and, for an underlined font, the whole line are underlined.
void PaintLine(const Font& font, const LineLayout& line, UINT format, TextPainter& painter,
               int x, int top) {
  FontFace& face = font.face();
  const int baseline = top + face.ascent();
  const int thickness = face.lineThickness();
  const int underlineTop = baseline + face.underlinePosition() - thickness / 2;
  CharReader reader(line.begin, line.end, !(format & DT_NOPREFIX));
  int pen = x;
  char32_t ch;
  bool mnemonic;
  // Past the limit of coordinates nothing can show: the rest of the line is not drawn,
  // and the pen stays where sums with it cannot overflow.
  while (pen < kMaxCoordinate && reader.Next(&ch, &mnemonic)) {
    if (ch < 0x20) continue;
    const Glyph& glyph = face.GlyphFor(ch);
    painter.DrawGlyph(glyph, pen, baseline);
    if (mnemonic) painter.Underline(pen, pen + glyph.advance, underlineTop, thickness);
    pen += glyph.advance;
  }
  if (line.ellipsis) {
    for (char32_t dot : std::u32string_view(kEllipsis)) {
      const Glyph& glyph = face.GlyphFor(dot);
      painter.DrawGlyph(glyph, pen, baseline);
      pen += glyph.advance;
    }
  }
  if (font.logFont().lfUnderline) painter.Underline(x, pen, underlineTop, thickness);
}

int LineLeft(const RECT& rect, UINT format, int width) {
  if (format & DT_CENTER) return rect.left + (rect.right - rect.left - width) / 2;
  if (format & DT_RIGHT) return rect.right - width;
  return rect.left;
}

// The top of a single line; other text starts at the rectangle's top.
int FirstLineTop(const RECT& rect, UINT format, int lineHeight) {
  if (!(format & DT_SINGLELINE)) return rect.top;
  if (format & DT_VCENTER) return rect.top + (rect.bottom - rect.top - lineHeight) / 2;
  if (format & DT_BOTTOM) return rect.bottom - lineHeight;
  return rect.top;
}

// Text is clipped to the rectangle unless DT_NOCLIP, and always to the surface.
Box ClipBox(const DeviceContext& dc, const RECT& rect, UINT format) {
  const Box surface{0, 0, dc.surface->width, dc.surface->height};
  if (format & DT_NOCLIP) return surface;
  return Intersect(surface, {ClampCoordinate(int64_t(rect.left) + dc.origin.x),
                             ClampCoordinate(int64_t(rect.top) + dc.origin.y),
                             ClampCoordinate(int64_t(rect.right) + dc.origin.x),
                             ClampCoordinate(int64_t(rect.bottom) + dc.origin.y)});
}

// Lays out (and unless DT_CALCRECT draws) the text; returns the height of the text, or
// for a vertically placed single line the distance from the top to the line's bottom.
int LayOutText(DeviceContext& dc, const Font& font, const WCHAR* text, const WCHAR* end,
               RECT* target, UINT format) {
  FontFace& face = font.face();
  const int lineHeight = face.ascent() + face.descent();
  RECT area{ClampCoordinate(target->left), ClampCoordinate(target->top),
            ClampCoordinate(target->right), ClampCoordinate(target->bottom)};
  RECT* rect = &area;
  const int available = rect->right - rect->left;
  static const Surface kNoSurface;
  const bool draw = !(format & DT_CALCRECT) && dc.surface;
  TextPainter painter(draw ? *dc.surface : kNoSurface, draw ? ClipBox(dc, *rect, format) : Box{},
                      PixelFromColor(dc.textColor));
  const int firstTop = FirstLineTop(*rect, format, lineHeight);
  int top = firstTop;
  int widest = 0;
  for (const WCHAR* p = text;;) {
    const WCHAR* lineEnd;
    const WCHAR* next = NextLine(face, p, end, format, available, &lineEnd);
    const LineLayout line = LayOutLine(face, p, lineEnd, format, available);
    widest = std::max(widest, line.width);
    if (draw) {
      const int x = ClampCoordinate(int64_t(LineLeft(*rect, format, line.width)) + dc.origin.x);
      const int y = ClampCoordinate(int64_t(top) + dc.origin.y);
      if (dc.bkMode == OPAQUE)
        painter.Fill({x, y, x + line.width, y + lineHeight}, PixelFromColor(dc.bkColor));
      PaintLine(font, line, format, painter, x, y);
    }
    top = std::min(top + lineHeight, 2 * kMaxCoordinate);
    if (next >= end) break;
    p = next;
  }
  if (format & DT_CALCRECT) {
    target->right = Saturate(int64_t(target->left) + widest);
    target->bottom = Saturate(int64_t(target->top) + (top - firstTop));
  }
  if ((format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM))) return top - rect->top;
  return top - firstTop;
}

}  // namespace

}  // namespace wince

using namespace wince;

int DrawTextW(HDC hdc, LPCWSTR text, int count, LPRECT rect, UINT format) {
  DeviceContext* dc = LookupDC(hdc);
  if (!dc || !text || !rect) return 0;
  const size_t length = count < 0 ? wcslen(text) : size_t(count);
  if (length == 0) return 0;
  const Font* font = FontOfDC(*dc);
  if (!font) return 0;
  std::lock_guard<std::mutex> lock(TextMutex());
  return LayOutText(*dc, *font, text, text + length, rect, format);
}

BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR text, int count, LPSIZE size) {
  DeviceContext* dc = LookupDC(hdc);
  if (!dc || !size || count < 0 || (!text && count > 0)) return FALSE;
  const Font* font = FontOfDC(*dc);
  if (!font) return FALSE;
  std::lock_guard<std::mutex> lock(TextMutex());
  FontFace& face = font->face();
  size->cx = count ? MeasureRange(face, text, text + count, false) : 0;
  size->cy = face.ascent() + face.descent();
  return TRUE;
}

BOOL GetTextMetricsW(HDC hdc, LPTEXTMETRICW metrics) {
  DeviceContext* dc = LookupDC(hdc);
  if (!dc || !metrics) return FALSE;
  const Font* font = FontOfDC(*dc);
  if (!font) return FALSE;
  std::lock_guard<std::mutex> lock(TextMutex());
  FontFace& face = font->face();
  const LOGFONTW& lf = font->logFont();
  *metrics = TEXTMETRICW{};
  metrics->tmHeight = face.ascent() + face.descent();
  metrics->tmAscent = face.ascent();
  metrics->tmDescent = face.descent();
  metrics->tmInternalLeading = std::max(0, metrics->tmHeight - face.emHeight());
  metrics->tmExternalLeading = face.externalLeading();
  metrics->tmAveCharWidth = face.averageWidth();
  metrics->tmMaxCharWidth = face.maxWidth();
  metrics->tmWeight = lf.lfWeight ? lf.lfWeight : FW_NORMAL;
  metrics->tmDigitizedAspectX = 96;
  metrics->tmDigitizedAspectY = 96;
  metrics->tmFirstChar = 0x20;
  metrics->tmLastChar = 0xFFFC;
  metrics->tmDefaultChar = 0x1F;
  metrics->tmBreakChar = 0x20;
  metrics->tmItalic = lf.lfItalic;
  metrics->tmUnderlined = lf.lfUnderline;
  metrics->tmStruckOut = lf.lfStrikeOut;
  // Outline (vector, TrueType) font; the low bit is set for a variable-pitch font.
  metrics->tmPitchAndFamily = 0x06 | (face.fixedPitch() ? 0 : 0x01);
  metrics->tmCharSet = lf.lfCharSet;
  return TRUE;
}
