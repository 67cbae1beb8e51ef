// DrawTextW with any rectangle, format, font size and UTF-16 text, into a small bitmap
// and as DT_CALCRECT. The first 18 bytes choose the rectangle (four 32-bit numbers), the
// format (the flags the layer implements) and the font; the rest is the text.
#include <cstring>
#include <string>

#include <windows.h>

namespace {

constexpr UINT kFlags = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM | DT_WORDBREAK | DT_SINGLELINE |
                        DT_NOCLIP | DT_NOPREFIX | DT_END_ELLIPSIS;

struct Canvas {
  HDC dc;
  HFONT fonts[4];
};

Canvas& TheCanvas() {
  static Canvas canvas = [] {
    Canvas c{};
    c.dc = CreateCompatibleDC(nullptr);
    SelectObject(c.dc, CreateCompatibleBitmap(c.dc, 64, 48));
    const int heights[] = {0, 11, -40, 300};
    for (int i = 0; i < 4; ++i) {
      LOGFONTW lf{};
      lf.lfHeight = heights[i];
      lf.lfWeight = i == 2 ? FW_SEMIBOLD : FW_NORMAL;
      lf.lfUnderline = i == 1;
      std::memcpy(lf.lfFaceName, u"HelveticaNeue LT 35 Thin", sizeof u"HelveticaNeue LT 35 Thin");
      c.fonts[i] = CreateFontIndirectW(&lf);
    }
    return c;
  }();
  return canvas;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 18) return 0;
  Canvas& canvas = TheCanvas();
  RECT rect;
  std::memcpy(&rect, data, sizeof rect);
  const UINT format = (UINT(data[16]) | UINT(data[17]) << 8) & kFlags;
  SelectObject(canvas.dc, canvas.fonts[data[17] >> 6]);
  SetBkMode(canvas.dc, (data[17] & 0x20) ? OPAQUE : TRANSPARENT);
  const size_t length = (size - 18) / 2;
  std::u16string text(length, u'\0');
  std::memcpy(text.data(), data + 18, length * 2);
  RECT measured = rect;
  DrawTextW(canvas.dc, text.c_str(), int(length), &rect, format);
  DrawTextW(canvas.dc, text.c_str(), int(length), &measured, format | DT_CALCRECT);
  return 0;
}
