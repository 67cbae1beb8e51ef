// Pixel tests of the drawing primitives on memory device contexts.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <aygshell.h>
#include <cstdlib>

#include "gfx/Draw.h"

namespace {

constexpr uint32_t kBackground = 0x203040;  // pixels as 0x00RRGGBB

uint32_t ToRgb(COLORREF c) {
  return (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

HBITMAP MakeBitmap(int width, int height, const std::function<uint32_t(int, int)>& pixel) {
  std::vector<uint32_t> bits(size_t(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bits[size_t(y) * width + x] = pixel(x, y);
  return CreateBitmap(width, height, 1, 32, bits.data());
}

// A distinct colour for every pixel of a bitmap, so a test sees which source pixel landed.
uint32_t Tag(int x, int y) { return 0x800000 | (uint32_t(x) << 8) | uint32_t(y); }

// A memory device context with a 32-bpp bitmap filled with one colour.
class Canvas {
 public:
  Canvas(int width, int height, uint32_t fill = kBackground) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = MakeBitmap(width, height, [fill](int, int) { return fill; });
    previous_ = SelectObject(dc_, bitmap_);
  }
  ~Canvas() {
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  HDC dc() const { return dc_; }
  uint32_t At(int x, int y) const { return ToRgb(GetPixel(dc_, x, y)); }
  std::vector<uint32_t> Pixels() const {
    std::vector<uint32_t> all;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) all.push_back(At(x, y));
    return all;
  }

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
};

class Bitmap {
 public:
  Bitmap(int width, int height, const std::function<uint32_t(int, int)>& pixel)
      : handle_(MakeBitmap(width, height, pixel)) {}
  ~Bitmap() { DeleteObject(handle_); }
  operator HBITMAP() const { return handle_; }

 private:
  HBITMAP handle_;
};

TEST(GfxDrawBitmaps, NullOrUnreadableBitmapDrawsNothing) {
  Canvas canvas(40, 30);
  const auto before = canvas.Pixels();
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  HBITMAP deleted = MakeBitmap(4, 4, [](int, int) { return 0xFFFFFFu; });
  DeleteObject(deleted);
  for (HBITMAP bad : {HBITMAP(nullptr), reinterpret_cast<HBITMAP>(pen), deleted}) {
    HDC dc = canvas.dc();
    DrawBitmapCentered(dc, 0, 0, 40, 30, bad);
    DrawBitmapCenteredRop(dc, 0, 0, 40, 30, bad, SRCPAINT);
    DrawMaskedBitmapCentered(dc, 0, 0, 40, 30, bad, bad);
    DrawTransparentBitmapCentered(dc, 0, 0, 40, 30, bad, kColorKeyMagenta);
    DrawBitmapStretched(dc, 0, 0, 40, 30, bad);
    DrawBitmapStretchedRop(dc, 0, 0, 40, 30, bad, SRCPAINT);
    DrawMaskedBitmapStretched(dc, 0, 0, 40, 30, bad, bad);
    DrawTransparentBitmapStretched(dc, 0, 0, 40, 30, bad, kColorKeyMagenta);
    BlitBitmap(dc, 0, 0, 40, 30, bad, SRCCOPY);
    FillPatternRect(dc, 0, 0, 40, 30, bad, PATCOPY);
  }
  EXPECT_EQ(before, canvas.Pixels());
  DeleteObject(pen);
}

TEST(GfxDrawBitmaps, CenteredOddDifferenceLeavesExtraPixelRightAndBottom) {
  // A 95 x 61 bitmap in the 100 x 60 rectangle (10, 20, 110, 80).
  Canvas canvas(130, 100);
  Bitmap bitmap(95, 61, Tag);
  DrawBitmapCentered(canvas.dc(), 10, 20, 110, 80, bitmap);
  EXPECT_EQ(kBackground, canvas.At(11, 20));    // 2 free pixels on the left
  EXPECT_EQ(Tag(0, 0), canvas.At(12, 20));
  EXPECT_EQ(Tag(94, 0), canvas.At(106, 20));
  EXPECT_EQ(kBackground, canvas.At(107, 20));   // 3 free pixels on the right
  EXPECT_EQ(Tag(0, 59), canvas.At(12, 79));     // the last row would lie below the
  EXPECT_EQ(kBackground, canvas.At(12, 80));    // rectangle: it is cut off
}

// A bitmap larger than its place is cut to the place, never drawn over the page: the
// centred middle shows.
TEST(GfxDrawBitmaps, CenteredLargerBitmapIsCutToItsRectangle) {
  Canvas canvas(30, 30);
  Bitmap bitmap(15, 13, Tag);
  // Rectangle 10 x 10 at (10, 10): (10 - 15) / 2 = -2 left, 3 right; -1 top, 2 bottom.
  DrawBitmapCentered(canvas.dc(), 10, 10, 20, 20, bitmap);
  EXPECT_EQ(kBackground, canvas.At(9, 10));
  EXPECT_EQ(kBackground, canvas.At(10, 9));
  EXPECT_EQ(Tag(2, 1), canvas.At(10, 10));
  EXPECT_EQ(Tag(11, 10), canvas.At(19, 19));
  EXPECT_EQ(kBackground, canvas.At(20, 19));
  EXPECT_EQ(kBackground, canvas.At(19, 20));
  for (auto draw : {DrawTransparentBitmapCentered}) {
    Canvas keyed(30, 30);
    draw(keyed.dc(), 10, 10, 20, 20, bitmap, kColorKeyMagenta);
    EXPECT_EQ(kBackground, keyed.At(9, 10));
    EXPECT_EQ(Tag(2, 1), keyed.At(10, 10));
    EXPECT_EQ(kBackground, keyed.At(20, 19));
  }
  // At the target's corner the same.
  Canvas corner(10, 10);
  DrawBitmapCentered(corner.dc(), 0, 0, 10, 10, bitmap);
  EXPECT_EQ(Tag(2, 1), corner.At(0, 0));
  EXPECT_EQ(Tag(11, 10), corner.At(9, 9));
}

// A test image of the source tree, loaded by the shell's loader as the program loads art.
HBITMAP LoadTestImage(const std::string& name) {
  std::string host = std::string(std::getenv("TILTCHIME_SOURCE_DIR")) + "/tests/gfx/images/" + name;
  std::u16string device;
  for (char c : host) device.push_back(c == '/' ? u'\\' : char16_t(c));
  return SHLoadImageFile(device.c_str());
}

// Users' own art side by side: a PNG with an alpha channel is blended over what lies
// behind (anti-aliased edges mixed, never a key-colour fringe or black), and a
// magenta-keyed one leaves out its key, through every way a picture or skin image is drawn.
TEST(GfxDrawBitmaps, AlphaPicturesBlendAndKeyedPicturesLeaveOutMagenta) {
  HBITMAP rgba = LoadTestImage("rgba_4x1.png");  // clear, red, white at 128, green at 64
  HBITMAP keyed = LoadTestImage("magenta_4x1.png");  // magenta, red, magenta, green
  ASSERT_NE(nullptr, rgba);
  ASSERT_NE(nullptr, keyed);
  // Premultiplied over 0x203040: c + background * (255 - alpha) / 255, rounded.
  const uint32_t blended[4] = {kBackground, 0xFF0000, 0x9098A0, 0x186430};
  const uint32_t keyedOut[4] = {kBackground, 0xFF0000, kBackground, 0x00FF00};
  using Draw = std::function<void(HDC, int, int, HBITMAP)>;
  const std::pair<const char*, Draw> ways[] = {
      {"icon stretched (Home, Sounds)",
       [](HDC dc, int x, int y, HBITMAP b) { DrawTransparentBitmapStretched(dc, x, y, x + 8, y + 2, b, kColorKeyMagenta); }},
      {"icon centred (picker)",
       [](HDC dc, int x, int y, HBITMAP b) { DrawTransparentBitmapCentered(dc, x, y, x + 4, y + 1, b, kColorKeyMagenta); }},
      {"skin centred", [](HDC dc, int x, int y, HBITMAP b) { DrawBitmapCentered(dc, x, y, x + 4, y + 1, b); }},
      {"skin stretched", [](HDC dc, int x, int y, HBITMAP b) { DrawBitmapStretched(dc, x, y, x + 8, y + 2, b); }},
  };
  for (const auto& [what, draw] : ways) {
    SCOPED_TRACE(what);
    Canvas canvas(20, 4);
    draw(canvas.dc(), 1, 1, rgba);
    draw(canvas.dc(), 10, 1, keyed);
    const bool stretched = std::string(what).find("stretched") != std::string::npos;
    const bool keyedWay = std::string(what).find("icon") != std::string::npos;
    for (int i = 0; i < 4; ++i) {
      const int x = stretched ? 2 * i : i;
      EXPECT_EQ(blended[i], canvas.At(1 + x, 1)) << "alpha pixel " << i;
      EXPECT_EQ(keyedWay ? keyedOut[i] : (i % 2 ? keyedOut[i] : 0xFF00FF), canvas.At(10 + x, 1)) << "keyed pixel " << i;
    }
    EXPECT_EQ(kBackground, canvas.At(0, 1));
  }
  DeleteObject(rgba);
  DeleteObject(keyed);
}

TEST(GfxDrawBitmaps, RopVariantsCombineBitwise) {
  Canvas canvas(8, 8, 0x0F0FF0);
  Bitmap bitmap(4, 4, [](int, int) { return 0x3C3C3Cu; });
  DrawBitmapCenteredRop(canvas.dc(), 0, 0, 4, 4, bitmap, SRCAND);
  DrawBitmapStretchedRop(canvas.dc(), 4, 4, 8, 8, bitmap, SRCPAINT);
  EXPECT_EQ(0x0F0FF0u & 0x3C3C3Cu, canvas.At(1, 1));
  EXPECT_EQ(0x0F0FF0u | 0x3C3C3Cu, canvas.At(6, 6));
  EXPECT_EQ(0x0F0FF0u, canvas.At(6, 1));
}

TEST(GfxDrawBitmaps, MaskedPairShowsBackgroundOutsideTheShape) {
  // The shape is the right half: mask black there, image black on the left half.
  Bitmap mask(4, 2, [](int x, int) { return x < 2 ? 0xFFFFFFu : 0u; });
  Bitmap image(4, 2, [](int x, int) { return x < 2 ? 0u : 0xC08040u; });
  Canvas centered(8, 4);
  DrawMaskedBitmapCentered(centered.dc(), 0, 0, 8, 4, image, mask);
  EXPECT_EQ(kBackground, centered.At(3, 1));
  EXPECT_EQ(0xC08040u, centered.At(4, 1));
  EXPECT_EQ(0xC08040u, centered.At(5, 2));
  EXPECT_EQ(kBackground, centered.At(6, 1));
  Canvas stretched(8, 4);
  DrawMaskedBitmapStretched(stretched.dc(), 0, 0, 8, 4, image, mask);
  EXPECT_EQ(kBackground, stretched.At(3, 3));
  EXPECT_EQ(0xC08040u, stretched.At(4, 0));
  EXPECT_EQ(0xC08040u, stretched.At(7, 3));
}

TEST(GfxDrawBitmaps, ColourKeyLeavesMagentaOut) {
  Bitmap bitmap(2, 2, [](int x, int y) { return (x + y) % 2 ? 0xFF00FFu : 0x00FF00u; });
  Canvas centered(6, 6);
  DrawTransparentBitmapCentered(centered.dc(), 0, 0, 6, 6, bitmap, kColorKeyMagenta);
  EXPECT_EQ(0x00FF00u, centered.At(2, 2));
  EXPECT_EQ(kBackground, centered.At(3, 2));
  EXPECT_EQ(0x00FF00u, centered.At(3, 3));
  Canvas stretched(4, 4);
  DrawTransparentBitmapStretched(stretched.dc(), 0, 0, 4, 4, bitmap, kColorKeyMagenta);
  EXPECT_EQ(0x00FF00u, stretched.At(1, 1));
  EXPECT_EQ(kBackground, stretched.At(2, 1));
  EXPECT_EQ(0x00FF00u, stretched.At(3, 3));
}

TEST(GfxDrawBitmaps, StretchedFillsTheRectangleAndEmptyOnesDrawNothing) {
  Bitmap bitmap(2, 2, Tag);
  Canvas canvas(12, 12);
  DrawBitmapStretched(canvas.dc(), 2, 2, 6, 10, bitmap);
  EXPECT_EQ(Tag(0, 0), canvas.At(2, 2));
  EXPECT_EQ(Tag(1, 0), canvas.At(5, 5));
  EXPECT_EQ(Tag(0, 1), canvas.At(3, 6));
  EXPECT_EQ(Tag(1, 1), canvas.At(5, 9));
  EXPECT_EQ(kBackground, canvas.At(6, 9));
  EXPECT_EQ(kBackground, canvas.At(5, 10));

  Canvas empty(12, 12);
  const auto before = empty.Pixels();
  HDC dc = empty.dc();
  DrawBitmapStretched(dc, 4, 4, 4, 10, bitmap);   // zero width
  DrawBitmapStretched(dc, 4, 4, 10, 4, bitmap);   // zero height
  DrawBitmapStretched(dc, 10, 4, 4, 10, bitmap);  // inverted: would mirror
  DrawMaskedBitmapStretched(dc, 4, 4, 4, 10, bitmap, bitmap);
  DrawTransparentBitmapStretched(dc, 4, 10, 10, 4, bitmap, kColorKeyMagenta);
  EXPECT_EQ(before, empty.Pixels());
}

TEST(GfxDrawBitmaps, BlitBitmapCopiesFromTheBitmapOrigin) {
  Bitmap bitmap(6, 6, Tag);
  Canvas canvas(10, 10);
  BlitBitmap(canvas.dc(), 3, 4, 2, 3, bitmap, SRCCOPY);
  EXPECT_EQ(Tag(0, 0), canvas.At(3, 4));
  EXPECT_EQ(Tag(1, 2), canvas.At(4, 6));
  EXPECT_EQ(kBackground, canvas.At(5, 4));
  EXPECT_EQ(kBackground, canvas.At(3, 7));
}

TEST(GfxFillPatternRect, TilesStartAtEachRectanglesCorner) {
  Bitmap tile(4, 3, Tag);
  Canvas canvas(40, 30);
  FillPatternRect(canvas.dc(), 3, 5, 13, 13, tile, PATCOPY);
  FillPatternRect(canvas.dc(), 21, 2, 30, 9, tile, PATCOPY);
  for (POINT corner : {POINT{3, 5}, POINT{21, 2}}) {
    EXPECT_EQ(Tag(0, 0), canvas.At(corner.x, corner.y));
    EXPECT_EQ(Tag(1, 2), canvas.At(corner.x + 1, corner.y + 2));
    EXPECT_EQ(Tag(0, 0), canvas.At(corner.x + 4, corner.y + 3));  // next tile
    EXPECT_EQ(Tag(3, 1), canvas.At(corner.x + 7, corner.y + 4));
  }
  EXPECT_EQ(kBackground, canvas.At(13, 5));
  EXPECT_EQ(kBackground, canvas.At(3, 13));
  EXPECT_EQ(kBackground, canvas.At(2, 5));

  const auto before = canvas.Pixels();
  FillPatternRect(canvas.dc(), 5, 5, 5, 9, tile, PATCOPY);
  FillPatternRect(canvas.dc(), 9, 9, 5, 5, tile, PATCOPY);
  EXPECT_EQ(before, canvas.Pixels());
}

TEST(GfxFillPatternRect, LeavesTheTargetsSelectedObjects) {
  Bitmap tile(2, 2, Tag);
  Canvas canvas(8, 8);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  HGDIOBJ previous = SelectObject(canvas.dc(), brush);
  HGDIOBJ bitmap = GetCurrentObject(canvas.dc(), OBJ_BITMAP);
  FillPatternRect(canvas.dc(), 0, 0, 8, 8, tile, PATCOPY);
  EXPECT_EQ(HGDIOBJ(brush), GetCurrentObject(canvas.dc(), OBJ_BRUSH));
  EXPECT_EQ(bitmap, GetCurrentObject(canvas.dc(), OBJ_BITMAP));
  SelectObject(canvas.dc(), previous);
  DeleteObject(brush);
}

TEST(GfxDrawTextInRect, DrawsTransparentlyAndRestoresTheContext) {
  Canvas canvas(200, 60, 0x000000);
  HDC dc = canvas.dc();
  HFONT before = CreateSkinFont(TEXT("DejaVu Sans"), 12, false, false, false);
  HFONT font = CreateSkinFont(TEXT("DejaVu Sans"), 30, true, false, false);
  HGDIOBJ original = SelectObject(dc, before);
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, RGB(0, 0, 255));
  SetTextColor(dc, RGB(10, 20, 30));

  RECT rect{0, 0, 200, 60};
  DrawTextInRect(dc, TEXT("HHHH"), rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE, RGB(255, 255, 255),
                 font);
  EXPECT_EQ(OPAQUE, GetBkMode(dc));
  EXPECT_EQ(RGB(10, 20, 30), GetTextColor(dc));
  EXPECT_EQ(HGDIOBJ(before), GetCurrentObject(dc, OBJ_FONT));

  int white = 0, blue = 0;
  for (uint32_t p : canvas.Pixels()) {
    white += p == 0xFFFFFF;
    blue += p == 0x0000FF;
  }
  EXPECT_GT(white, 50);
  EXPECT_EQ(0, blue);  // no opaque background box behind the text

  // A null font draws with the context's current one and leaves it selected.
  DrawTextInRect(dc, TEXT("x"), rect, DT_SINGLELINE, RGB(255, 0, 0), nullptr);
  EXPECT_EQ(HGDIOBJ(before), GetCurrentObject(dc, OBJ_FONT));

  SelectObject(dc, original);
  DeleteObject(before);
  DeleteObject(font);
}

TEST(GfxDrawLine, LeavesTheEndPointAndRestoresPenAndMode) {
  Canvas canvas(120, 20);
  HDC dc = canvas.dc();
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  HGDIOBJ previousPen = GetCurrentObject(dc, OBJ_PEN);
  SetBkMode(dc, OPAQUE);
  DrawLine(dc, 0, 9, 100, 9, pen);
  EXPECT_EQ(0xFF0000u, canvas.At(0, 9));
  EXPECT_EQ(0xFF0000u, canvas.At(99, 9));
  EXPECT_EQ(kBackground, canvas.At(100, 9));
  EXPECT_EQ(kBackground, canvas.At(50, 8));
  EXPECT_EQ(kBackground, canvas.At(50, 10));
  EXPECT_EQ(previousPen, GetCurrentObject(dc, OBJ_PEN));
  EXPECT_EQ(OPAQUE, GetBkMode(dc));
  DeleteObject(pen);
}

// The channel of a two-colour gradient at offset i of n, as the GDI computes it.
uint32_t GradientChannel(uint32_t c0, uint32_t c1, int i, int n) {
  return ((c0 << 8) * (n - i) + (c1 << 8) * i) / n / 256;
}

TEST(GfxFillGradientRect, FirstRowIsTheStartColourAndRowsFollowTheGdi) {
  Canvas canvas(30, 40);
  FillGradientRect(canvas.dc(), 5, 10, 15, 30, RGB(255, 0, 0), RGB(0, 0, 255),
                   GRADIENT_FILL_RECT_V);
  EXPECT_EQ(0xFF0000u, canvas.At(5, 10));
  EXPECT_EQ(0xFF0000u, canvas.At(14, 10));
  const uint32_t last = (GradientChannel(255, 0, 19, 20) << 16) | GradientChannel(0, 255, 19, 20);
  EXPECT_EQ(last, canvas.At(9, 29));
  EXPECT_GT(last & 0xFF, 0xF0u);  // all but blue at the bottom
  EXPECT_EQ(kBackground, canvas.At(9, 30));
  EXPECT_EQ(kBackground, canvas.At(15, 20));

  FillGradientRect(canvas.dc(), 0, 0, 4, 2, RGB(0, 200, 0), RGB(0, 0, 0), GRADIENT_FILL_RECT_H);
  EXPECT_EQ(0x00C800u, canvas.At(0, 1));
  EXPECT_EQ(GradientChannel(200, 0, 3, 4) << 8, canvas.At(3, 1));
}

TEST(GfxAlphaBlend, ConstantAlphaUsesOnlyItsLowByte) {
  Canvas source(6, 6, 0xFF8000);
  Canvas target(6, 6, 0x0000FF);
  HDC dc = target.dc();
  AlphaBlendRect(dc, 0, 0, 2, 2, source.dc(), 0, 0, 2, 2, 0);
  AlphaBlendRect(dc, 2, 0, 2, 2, source.dc(), 0, 0, 2, 2, 256);
  AlphaBlendRect(dc, 4, 0, 2, 2, source.dc(), 0, 0, 2, 2, 255);
  AlphaBlendRect(dc, 0, 2, 2, 2, source.dc(), 0, 0, 2, 2, 128);
  EXPECT_EQ(0x0000FFu, target.At(1, 1));
  EXPECT_EQ(0x0000FFu, target.At(3, 1));
  EXPECT_EQ(0xFF8000u, target.At(5, 1));
  const uint32_t r = (255 * 128 + 0 * 127 + 127) / 255;
  const uint32_t g = (128 * 128 + 0 * 127 + 127) / 255;
  const uint32_t b = (0 * 128 + 255 * 127 + 127) / 255;
  EXPECT_EQ((r << 16) | (g << 8) | b, target.At(1, 3));
  EXPECT_EQ(0x0000FFu, target.At(2, 3));
}

TEST(GfxAlphaBlend, CopyTakesTheSourceFromItsOrigin) {
  Bitmap picture(4, 4, Tag);
  Canvas source(4, 4);
  BlitBitmap(source.dc(), 0, 0, 4, 4, picture, SRCCOPY);
  Canvas target(10, 10);
  AlphaBlendCopy(target.dc(), 5, 6, 3, 2, source.dc(), 255);
  EXPECT_EQ(Tag(0, 0), target.At(5, 6));
  EXPECT_EQ(Tag(2, 1), target.At(7, 7));
  EXPECT_EQ(kBackground, target.At(8, 7));
  EXPECT_EQ(kBackground, target.At(5, 8));
}

TEST(GfxGetBitmapSize, ReportsSizeOrFailsWithoutTouchingTheOutputs) {
  Bitmap bitmap(37, 11, Tag);
  int width = -1, height = -1;
  ASSERT_TRUE(GetBitmapSize(bitmap, &width, &height));
  EXPECT_EQ(37, width);
  EXPECT_EQ(11, height);
  HBRUSH brush = CreateSolidBrush(0);
  width = height = -1;
  EXPECT_FALSE(GetBitmapSize(nullptr, &width, &height));
  EXPECT_FALSE(GetBitmapSize(reinterpret_cast<HBITMAP>(brush), &width, &height));
  EXPECT_EQ(-1, width);
  EXPECT_EQ(-1, height);
  DeleteObject(brush);
}

TEST(GfxCreateSkinFont, FillsTheLogicalFont) {
  HFONT font = CreateSkinFont(TEXT("A face name that is longer than thirty-one characters"), 28,
                              true, true, false);
  ASSERT_NE(nullptr, font);
  LOGFONTW lf{};
  ASSERT_NE(0, GetObjectW(font, sizeof(lf), &lf));
  EXPECT_EQ(28, lf.lfHeight);
  EXPECT_EQ(600, lf.lfWeight);
  EXPECT_EQ(1, lf.lfItalic);
  EXPECT_EQ(0, lf.lfUnderline);
  EXPECT_EQ(0, lf.lfStrikeOut);
  EXPECT_EQ(EASTEUROPE_CHARSET, lf.lfCharSet);
  EXPECT_EQ(OUT_RASTER_PRECIS, lf.lfOutPrecision);
  EXPECT_EQ(CLEARTYPE_QUALITY, lf.lfQuality);
  EXPECT_EQ(std::u16string(u"A face name that is longer than"), std::u16string(lf.lfFaceName));
  DeleteObject(font);

  font = CreateSkinFont(TEXT("DejaVu Sans"), 14, false, false, true);
  ASSERT_NE(0, GetObjectW(font, sizeof(lf), &lf));
  EXPECT_EQ(500, lf.lfWeight);
  EXPECT_EQ(0, lf.lfItalic);
  EXPECT_EQ(1, lf.lfUnderline);
  DeleteObject(font);
}

TEST(GfxDeflateRectBy, MovesEachEdgeWithoutNormalising) {
  RECT rect{10, 20, 110, 80};
  RECT& same = DeflateRectBy(rect, 1, 2, 3, 4);
  EXPECT_EQ(&rect, &same);
  EXPECT_EQ(11, rect.left);
  EXPECT_EQ(22, rect.top);
  EXPECT_EQ(107, rect.right);
  EXPECT_EQ(76, rect.bottom);
  DeflateRectBy(rect, 60, 0, 60, 0);
  EXPECT_EQ(71, rect.left);
  EXPECT_EQ(47, rect.right);
}

}  // namespace
