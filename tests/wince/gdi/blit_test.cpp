// Transfers, pattern fills, AlphaBlend and GradientFill against Windows' results.
#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <vector>

#include "canvas.h"
#include "gdi/blend.h"

namespace {

// A row of distinct colours: pixel x is RGB(x * 10, 0, 0) + RGB(0, row, 0).
void Ramp(Canvas& c) {
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) SetPixel(c.dc, x, y, RGB(x * 10, y, 0));
}

TEST(GdiBlit, RasterOperationsWorkPerBit) {
  Canvas dst(1, 1, RGB(0xF0, 0x0F, 0x3C));
  Canvas src(1, 1, RGB(0x55, 0xAA, 0xFF));
  BitBlt(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, SRCAND);
  EXPECT_EQ(dst.At(0, 0), RGB(0x50, 0x0A, 0x3C));
  BitBlt(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, SRCPAINT);
  EXPECT_EQ(dst.At(0, 0), RGB(0x55, 0xAA, 0xFF));
  dst.Fill(RGB(0x0F, 0xF0, 0x00));
  BitBlt(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(dst.At(0, 0), RGB(0x55, 0xAA, 0xFF));
  BitBlt(dst.dc, 0, 0, 1, 1, nullptr, 0, 0, BLACKNESS);
  EXPECT_EQ(dst.At(0, 0), RGB(0, 0, 0));
  BitBlt(dst.dc, 0, 0, 1, 1, nullptr, 0, 0, WHITENESS);
  EXPECT_EQ(dst.At(0, 0), RGB(255, 255, 255));
  EXPECT_FALSE(BitBlt(dst.dc, 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
  EXPECT_FALSE(BitBlt(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, 0x00123456));
}

TEST(GdiBlit, MaskedPairShowsTheBackgroundWhereTheMaskIsWhite) {
  Canvas dst(2, 1, RGB(10, 20, 30));
  Canvas mask(2, 1, RGB(0, 0, 0));
  Canvas image(2, 1, RGB(0, 0, 0));
  SetPixel(mask.dc, 0, 0, RGB(255, 255, 255));
  SetPixel(image.dc, 1, 0, RGB(200, 100, 50));
  BitBlt(dst.dc, 0, 0, 2, 1, mask.dc, 0, 0, SRCAND);
  BitBlt(dst.dc, 0, 0, 2, 1, image.dc, 0, 0, SRCPAINT);
  EXPECT_EQ(dst.At(0, 0), RGB(10, 20, 30));
  EXPECT_EQ(dst.At(1, 0), RGB(200, 100, 50));
}

TEST(GdiBlit, BitBltClipsToBothBitmaps) {
  Canvas src(4, 4);
  Ramp(src);
  Canvas dst(6, 6, RGB(1, 1, 1));
  // Destination partly off the top left: the visible part comes from the matching source.
  BitBlt(dst.dc, -2, -1, 4, 4, src.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(dst.At(0, 0), RGB(20, 1, 0));
  EXPECT_EQ(dst.At(1, 2), RGB(30, 3, 0));
  EXPECT_EQ(dst.At(2, 0), RGB(1, 1, 1));
  // Source partly outside its bitmap: those destination pixels are left alone.
  dst.Fill(RGB(1, 1, 1));
  BitBlt(dst.dc, 0, 0, 6, 6, src.dc, 2, -1, SRCCOPY);
  EXPECT_EQ(dst.At(0, 0), RGB(1, 1, 1));
  EXPECT_EQ(dst.At(0, 1), RGB(20, 0, 0));
  EXPECT_EQ(dst.At(1, 4), RGB(30, 3, 0));
  EXPECT_EQ(dst.At(2, 1), RGB(1, 1, 1));
  EXPECT_EQ(dst.At(0, 5), RGB(1, 1, 1));
  // Absurd coordinates and sizes write nothing outside (ASan watches).
  EXPECT_TRUE(BitBlt(dst.dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX, src.dc, 0, 0, SRCCOPY));
  EXPECT_TRUE(BitBlt(dst.dc, INT_MAX, 0, INT_MAX, 5, src.dc, 0, 0, SRCCOPY));
  EXPECT_TRUE(BitBlt(dst.dc, 3, 3, INT_MAX, INT_MAX, src.dc, INT_MIN, INT_MAX, SRCPAINT));
  EXPECT_TRUE(BitBlt(dst.dc, 0, 0, -5, -5, src.dc, 0, 0, SRCCOPY));
  EXPECT_TRUE(StretchBlt(dst.dc, -7, -7, INT_MAX, INT_MAX, src.dc, -3, -3, 100, INT_MIN, SRCCOPY));
  EXPECT_TRUE(PatBlt(dst.dc, INT_MAX, INT_MIN, INT_MIN, INT_MAX, WHITENESS));
  EXPECT_TRUE(StretchBlt(dst.dc, INT_MAX, INT_MIN, INT_MIN, INT_MAX, src.dc, INT_MAX, 0, INT_MIN, 4, SRCCOPY));
  EXPECT_TRUE(TransparentImage(dst.dc, INT_MIN, 0, -1, INT_MAX, src.dc, 3, INT_MIN, INT_MAX, -1, 0));
  EXPECT_TRUE(AlphaBlend(dst.dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX, src.dc, 0, 0, 4, 4,
                         BLENDFUNCTION{AC_SRC_OVER, 0, 100, 0}));
}

TEST(GdiBlit, OverlappingCopyWithinOneBitmapReadsTheOldPixels) {
  Canvas c(5, 2);
  Ramp(c);
  BitBlt(c.dc, 1, 0, 4, 2, c.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(c.At(1, 0), RGB(0, 0, 0));
  EXPECT_EQ(c.At(4, 1), RGB(30, 1, 0));
  BitBlt(c.dc, 0, 0, 5, 1, c.dc, 0, 1, SRCPAINT);
  EXPECT_EQ(c.At(2, 0), RGB(10, 1, 0));
  // Whole rows scrolled down by one.
  Canvas rows(3, 3);
  Ramp(rows);
  BitBlt(rows.dc, 0, 1, 3, 3, rows.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(rows.At(2, 0), RGB(20, 0, 0));
  EXPECT_EQ(rows.At(2, 1), RGB(20, 0, 0));
  EXPECT_EQ(rows.At(1, 2), RGB(10, 1, 0));
}

TEST(GdiBlit, StretchSamplesPixelCentres) {
  Canvas src(7, 1);
  Ramp(src);
  // Enlarging 3 -> 7: source pixels 0 0 1 1 1 2 2.
  Canvas wide(7, 1, RGB(1, 1, 1));
  StretchBlt(wide.dc, 0, 0, 7, 1, src.dc, 0, 0, 3, 1, SRCCOPY);
  const int enlarged[] = {0, 0, 1, 1, 1, 2, 2};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(wide.At(i, 0), RGB(enlarged[i] * 10, 0, 0)) << i;
  // Shrinking 7 -> 3: source pixels 1 3 5.
  Canvas narrow(3, 1, RGB(1, 1, 1));
  StretchBlt(narrow.dc, 0, 0, 3, 1, src.dc, 0, 0, 7, 1, SRCCOPY);
  EXPECT_EQ(narrow.At(0, 0), RGB(10, 0, 0));
  EXPECT_EQ(narrow.At(1, 0), RGB(30, 0, 0));
  EXPECT_EQ(narrow.At(2, 0), RGB(50, 0, 0));
  // Rows map the same way.
  Canvas tall(1, 7);
  Ramp(tall);
  Canvas column(2, 3, RGB(1, 1, 1));
  StretchBlt(column.dc, 0, 0, 1, 3, tall.dc, 0, 0, 1, 7, SRCCOPY);
  EXPECT_EQ(column.At(0, 2), RGB(0, 5, 0));
  // An empty destination draws nothing.
  column.Fill(RGB(1, 1, 1));
  StretchBlt(column.dc, 0, 0, 0, 3, src.dc, 0, 0, 7, 1, SRCCOPY);
  StretchBlt(column.dc, 0, 0, 2, 0, src.dc, 0, 0, 7, 1, SRCCOPY);
  EXPECT_EQ(column.At(0, 0), RGB(1, 1, 1));
}

// Windows' results on a 2x2 source: a mirroring transfer counts a negative extent from
// its origin pixel (x + w + 1 .. x); one that mirrors nowhere counts it plainly (x + w .. x - 1).
TEST(GdiBlit, NegativeExtentsMirrorFromTheOriginPixel) {
  Canvas src(2, 2);
  Ramp(src);
  auto at = [&](int x, int y) { return RGB(x * 10, y, 0); };
  Canvas dst(2, 2, RGB(1, 1, 1));
  StretchBlt(dst.dc, 1, 1, -2, -2, src.dc, 0, 0, 2, 2, SRCCOPY);
  EXPECT_EQ(dst.At(0, 0), at(1, 1));
  EXPECT_EQ(dst.At(1, 0), at(0, 1));
  EXPECT_EQ(dst.At(1, 1), at(0, 0));
  // Both sides negative on both axes: a plain copy of the pixels left of and above (1, 1).
  dst.Fill(RGB(1, 1, 1));
  StretchBlt(dst.dc, 1, 1, -2, -2, src.dc, 1, 1, -2, -2, SRCCOPY);
  EXPECT_EQ(dst.At(0, 0), at(0, 0));
  EXPECT_EQ(dst.At(1, 1), RGB(1, 1, 1));
  // Widths negative on both sides while the heights mirror: the widths count from (1, y).
  dst.Fill(RGB(1, 1, 1));
  StretchBlt(dst.dc, 1, 0, -2, 2, src.dc, 1, 1, -2, -2, SRCCOPY);
  EXPECT_EQ(dst.At(0, 0), at(0, 1));
  EXPECT_EQ(dst.At(1, 0), at(1, 1));
  EXPECT_EQ(dst.At(1, 1), at(1, 0));
  // Mirrored while enlarging: the destination's right end takes the source's left end.
  Canvas wide(4, 1, RGB(1, 1, 1));
  StretchBlt(wide.dc, 3, 0, -4, 1, src.dc, 0, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(wide.At(0, 0), at(1, 0));
  EXPECT_EQ(wide.At(1, 0), at(1, 0));
  EXPECT_EQ(wide.At(2, 0), at(0, 0));
  EXPECT_EQ(wide.At(3, 0), at(0, 0));
}

TEST(GdiBlit, StretchWithMaskOperations) {
  Canvas src(2, 1, RGB(0x0F, 0x0F, 0x0F));
  Canvas dst(4, 1, RGB(0xF3, 0xF3, 0xF3));
  StretchBlt(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, 2, 1, SRCAND);
  EXPECT_EQ(dst.At(3, 0), RGB(0x03, 0x03, 0x03));
  StretchBlt(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, 2, 1, SRCPAINT);
  EXPECT_EQ(dst.At(0, 0), RGB(0x0F, 0x0F, 0x0F));
}

TEST(GdiBlit, TransparentImageSkipsTheKeyColour) {
  const COLORREF magenta = RGB(255, 0, 255);
  Canvas src(2, 1);
  SetPixel(src.dc, 0, 0, magenta);
  SetPixel(src.dc, 1, 0, RGB(1, 2, 3));
  Canvas dst(4, 1, RGB(9, 9, 9));
  EXPECT_TRUE(TransparentImage(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, 2, 1, magenta));
  EXPECT_EQ(dst.At(0, 0), RGB(9, 9, 9));
  EXPECT_EQ(dst.At(1, 0), RGB(9, 9, 9));
  EXPECT_EQ(dst.At(2, 0), RGB(1, 2, 3));
  // The source may also be the bitmap itself.
  dst.Fill(RGB(9, 9, 9));
  SelectObject(src.dc, src.previous);
  EXPECT_TRUE(TransparentImage(dst.dc, 1, 0, 2, 1, src.bitmap, 0, 0, 2, 1, magenta));
  src.previous = SelectObject(src.dc, src.bitmap);
  EXPECT_EQ(dst.At(1, 0), RGB(9, 9, 9));
  EXPECT_EQ(dst.At(2, 0), RGB(1, 2, 3));
  EXPECT_FALSE(TransparentImage(dst.dc, 0, 0, 1, 1, nullptr, 0, 0, 1, 1, magenta));
}

BLENDFUNCTION Constant(BYTE alpha) { return BLENDFUNCTION{AC_SRC_OVER, 0, alpha, 0}; }

TEST(GdiBlit, AlphaBlendRoundsLikeWindows) {
  Canvas src(1, 1, RGB(200, 255, 0));
  Canvas dst(1, 1, RGB(100, 0, 255));
  AlphaBlend(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, 1, 1, Constant(128));
  // (s * a + d * (255 - a) + 127) / 255 per channel.
  EXPECT_EQ(dst.At(0, 0), RGB(150, 128, 127));
  dst.Fill(RGB(100, 0, 255));
  AlphaBlend(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, 1, 1, Constant(1));
  EXPECT_EQ(dst.At(0, 0), RGB(100, 1, 254));
  AlphaBlend(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, 1, 1, Constant(0));
  EXPECT_EQ(dst.At(0, 0), RGB(100, 1, 254));
  AlphaBlend(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, 1, 1, Constant(255));
  EXPECT_EQ(dst.At(0, 0), RGB(200, 255, 0));
}

// Every pair of byte values under every alpha, on every path this CPU runs; the odd
// length and offset leave partial vectors at both ends.
TEST(GdiBlit, EveryBlendPathRoundsLikeWindowsForEveryAlphaAndPair) {
  constexpr size_t kPairs = 1 << 16, kOffset = 3, kLength = kPairs + 29;
  std::vector<uint8_t> source(kOffset + kLength), target(kOffset + kLength), start(kOffset + kLength);
  for (size_t i = 0; i < kLength; ++i) {
    source[kOffset + i] = uint8_t(i);
    start[kOffset + i] = uint8_t((i >> 8) + i / kPairs * 77);
  }
  for (const wince::BlendPath& path : wince::BlendPaths()) {
    SCOPED_TRACE(path.name);
    for (unsigned a = 0; a < 256; ++a) {
      target = start;
      path.blend(target.data() + kOffset, source.data() + kOffset, kLength, a);
      size_t wrong = 0;
      for (size_t i = kOffset; i < target.size(); ++i) {
        wrong += target[i] != (source[i] * a + start[i] * (255 - a) + 127) / 255;
      }
      ASSERT_EQ(0u, wrong) << "alpha " << a;
      ASSERT_EQ(start[0], target[0]);
    }
  }
}

TEST(GdiBlit, AlphaBlendRefusesWhatWindowsRefuses) {
  Canvas src(4, 4, RGB(255, 255, 255));
  Canvas dst(4, 4);
  EXPECT_FALSE(AlphaBlend(dst.dc, 0, 0, 4, 4, src.dc, 1, 0, 4, 4, Constant(128)));  // outside the source
  EXPECT_FALSE(AlphaBlend(dst.dc, 0, 0, -4, 4, src.dc, 0, 0, 4, 4, Constant(128)));
  EXPECT_FALSE(AlphaBlend(dst.dc, 0, 0, 4, 4, src.dc, 0, 0, 4, 4, BLENDFUNCTION{AC_SRC_OVER, 0, 9, 2}));
  EXPECT_EQ(dst.At(0, 0), RGB(0, 0, 0));
  // Stretching and clipping at the target's edges.
  EXPECT_TRUE(AlphaBlend(dst.dc, -2, 2, 8, 8, src.dc, 0, 0, 2, 2, Constant(255)));
  EXPECT_EQ(dst.At(0, 1), RGB(0, 0, 0));
  EXPECT_EQ(dst.At(3, 3), RGB(255, 255, 255));
}

// AC_SRC_ALPHA: premultiplied source over the target, each colour
// c + t * (255 - a) / 255 rounded, with the constant alpha scaling the source first.
TEST(GdiBlit, AlphaBlendPerPixelPutsThePremultipliedSourceOverTheTarget) {
  // Transparent, opaque, half-covered red (0x80 of 0xFF premultiplied: 0x80), a quarter white.
  const uint32_t pixels[4] = {0x00000000, 0xFF102030, 0x80800000, 0x40404040};
  HBITMAP image = wince::CreateDibSectionFromPixels(4, 1, pixels);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(memory, image);
  const BLENDFUNCTION perPixel{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};

  Canvas dst(4, 2, RGB(200, 100, 50));
  ASSERT_TRUE(AlphaBlend(dst.dc, 0, 0, 4, 1, memory, 0, 0, 4, 1, perPixel));
  EXPECT_EQ(dst.At(0, 0), RGB(200, 100, 50));  // fully transparent: untouched
  EXPECT_EQ(dst.At(1, 0), RGB(0x10, 0x20, 0x30));  // opaque: the source
  EXPECT_EQ(dst.At(2, 0), RGB(128 + 100, 50, 25));  // 200 * 127 / 255 = 99.6
  EXPECT_EQ(dst.At(3, 0), RGB(64 + 150, 64 + 75, 64 + 37));  // 191 / 255 of the target
  // The target keeps its own alpha byte (none).
  EXPECT_EQ(0u, wince::BitmapSurface(dst.bitmap)->pixels[2] >> 24);

  // Constant alpha 128 on top: the source alpha 0x80 becomes 64, red 0x80 becomes 64.
  ASSERT_TRUE(AlphaBlend(dst.dc, 2, 1, 1, 1, memory, 2, 0, 1, 1, BLENDFUNCTION{AC_SRC_OVER, 0, 128, AC_SRC_ALPHA}));
  EXPECT_EQ(dst.At(2, 1), RGB(64 + 150, 75, 37));
  // Stretched: each target pixel blends the source pixel that centre sampling picks.
  Canvas wide(8, 1, RGB(200, 100, 50));
  ASSERT_TRUE(AlphaBlend(wide.dc, 0, 0, 8, 1, memory, 0, 0, 4, 1, perPixel));
  EXPECT_EQ(wide.At(0, 0), RGB(200, 100, 50));
  EXPECT_EQ(wide.At(3, 0), RGB(0x10, 0x20, 0x30));
  EXPECT_EQ(wide.At(5, 0), RGB(228, 50, 25));

  // A colour key compares colours only: an opaque magenta pixel with its alpha byte is left out.
  const uint32_t keyed[2] = {0xFFFF00FF, 0xFF00FF00};
  HBITMAP keyedImage = wince::CreateDibSectionFromPixels(2, 1, keyed);
  Canvas under(2, 1, RGB(1, 2, 3));
  ASSERT_TRUE(TransparentImage(under.dc, 0, 0, 2, 1, keyedImage, 0, 0, 2, 1, RGB(255, 0, 255)));
  EXPECT_EQ(under.At(0, 0), RGB(1, 2, 3));
  EXPECT_EQ(under.At(1, 0), RGB(0, 255, 0));

  // The bits of a DIB section are the program's to read: rows of 0xAARRGGBB.
  BITMAP info{};
  ASSERT_EQ(int(sizeof info), GetObjectW(image, sizeof info, &info));
  ASSERT_NE(nullptr, info.bmBits);
  EXPECT_EQ(16, info.bmWidthBytes);
  EXPECT_EQ(0x80800000u, static_cast<const uint32_t*>(info.bmBits)[2]);
  BITMAP compatible{};
  GetObjectW(dst.bitmap, sizeof compatible, &compatible);
  EXPECT_EQ(nullptr, compatible.bmBits);  // a device bitmap hands out none

  SelectObject(memory, previous);
  DeleteDC(memory);
  DeleteObject(image);
  DeleteObject(keyedImage);
}

TEST(GdiBlit, GradientInterpolatesAndExcludesTheEnd) {
  Canvas c(6, 3, RGB(7, 7, 7));
  TRIVERTEX v[2] = {{1, 0, 0xFF00, 0, 0, 0}, {5, 2, 0, 0, 0xFF00, 0}};
  GRADIENT_RECT r = {0, 1};
  ASSERT_TRUE(GradientFill(c.dc, v, 2, &r, 1, GRADIENT_FILL_RECT_H));
  // (c0 * (n - i) + c1 * i) / n / 256 with n = 4.
  EXPECT_EQ(c.At(1, 0), RGB(255, 0, 0));
  EXPECT_EQ(c.At(2, 1), RGB(191, 0, 63));
  EXPECT_EQ(c.At(3, 0), RGB(127, 0, 127));
  EXPECT_EQ(c.At(4, 1), RGB(63, 0, 191));
  EXPECT_EQ(c.At(5, 0), RGB(7, 7, 7));
  EXPECT_EQ(c.At(0, 0), RGB(7, 7, 7));
  EXPECT_EQ(c.At(1, 2), RGB(7, 7, 7));

  Canvas bar(2, 10, RGB(7, 7, 7));
  TRIVERTEX w[2] = {{0, 0, 0xFF00, 0, 0, 0}, {2, 10, 0, 0, 0xFF00, 0}};
  ASSERT_TRUE(GradientFill(bar.dc, w, 2, &r, 1, GRADIENT_FILL_RECT_V));
  EXPECT_EQ(bar.At(1, 0), RGB(255, 0, 0));
  EXPECT_EQ(bar.At(0, 9), RGB(25, 0, 229));

  // Clipped gradients keep their phase; bad meshes fail.
  Canvas part(2, 1);
  TRIVERTEX far[2] = {{-3, 0, 0xFF00, 0, 0, 0}, {1, 1, 0, 0, 0xFF00, 0}};
  GradientFill(part.dc, far, 2, &r, 1, GRADIENT_FILL_RECT_H);
  EXPECT_EQ(part.At(0, 0), RGB(63, 0, 191));
  EXPECT_EQ(part.At(1, 0), RGB(0, 0, 0));
  GRADIENT_RECT bad = {0, 2};
  EXPECT_FALSE(GradientFill(part.dc, far, 2, &bad, 1, GRADIENT_FILL_RECT_H));
  EXPECT_FALSE(GradientFill(part.dc, far, 2, &r, 1, 2));
  TRIVERTEX huge[2] = {{INT_MIN, INT_MIN, 0, 0, 0, 0}, {INT_MAX, INT_MAX, 0xFF00, 0xFF00, 0xFF00, 0}};
  EXPECT_TRUE(GradientFill(part.dc, huge, 2, &r, 1, GRADIENT_FILL_RECT_V));
}

TEST(GdiBlit, PatternBrushIsAnchoredAtTheDcOrigin) {
  Canvas tile(2, 2);
  SetPixel(tile.dc, 0, 0, RGB(1, 0, 0));
  SetPixel(tile.dc, 1, 0, RGB(2, 0, 0));
  SetPixel(tile.dc, 0, 1, RGB(3, 0, 0));
  SetPixel(tile.dc, 1, 1, RGB(4, 0, 0));
  HBRUSH brush = CreatePatternBrush(tile.bitmap);
  ASSERT_NE(brush, nullptr);
  Canvas c(8, 8, RGB(9, 9, 9));
  HGDIOBJ old = SelectObject(c.dc, brush);
  PatBlt(c.dc, 0, 0, 3, 3, PATCOPY);
  EXPECT_EQ(c.At(0, 0), RGB(1, 0, 0));
  EXPECT_EQ(c.At(2, 1), RGB(3, 0, 0));
  PatBlt(c.dc, 3, 5, 4, 2, PATCOPY);
  EXPECT_EQ(c.At(3, 5), RGB(4, 0, 0));  // (3 mod 2, 5 mod 2)
  EXPECT_EQ(c.At(4, 6), RGB(1, 0, 0));
  EXPECT_EQ(c.At(7, 5), RGB(9, 9, 9));
  // The brush owns a copy: the bitmap can change or go.
  tile.Fill(RGB(0, 0, 0));
  PatBlt(c.dc, -1, -1, 2, 2, PATCOPY);
  EXPECT_EQ(c.At(0, 0), RGB(1, 0, 0));
  SelectObject(c.dc, GetStockObject(NULL_BRUSH));
  PatBlt(c.dc, 0, 0, 8, 8, PATCOPY);
  EXPECT_EQ(c.At(7, 7), RGB(9, 9, 9));
  SelectObject(c.dc, old);
  EXPECT_TRUE(DeleteObject(brush));
}

}  // namespace
