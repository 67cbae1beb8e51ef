// Device contexts and object handles: selection, deletion, GetObjectW, stock objects.
#include <gtest/gtest.h>
#include <windows.h>

#include "canvas.h"
#include "user/display.h"

TEST(GdiObjects, NewMemoryDcHoldsMonochromeStockBitmap) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  HGDIOBJ stock = GetCurrentObject(dc, OBJ_BITMAP);
  BITMAP info = {};
  ASSERT_EQ(GetObjectW(stock, sizeof info, &info), int(sizeof info));
  EXPECT_EQ(info.bmWidth, 1);
  EXPECT_EQ(info.bmHeight, 1);
  EXPECT_EQ(info.bmBitsPixel, 1);
  // Drawing into it is harmless; a second DC holds the same stock bitmap.
  EXPECT_TRUE(PatBlt(dc, 0, 0, 10, 10, WHITENESS));
  HDC other = CreateCompatibleDC(dc);
  EXPECT_EQ(GetCurrentObject(other, OBJ_BITMAP), stock);
  EXPECT_TRUE(DeleteObject(stock));  // a stock object is never freed
  EXPECT_EQ(GetObjectW(stock, sizeof info, &info), int(sizeof info));
  EXPECT_TRUE(DeleteDC(other));
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_FALSE(DeleteDC(dc));
}

TEST(GdiObjects, SelectObjectReturnsThePreviousObjectOfItsKind) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP a = CreateCompatibleBitmap(dc, 4, 4);
  HBITMAP b = CreateCompatibleBitmap(dc, 4, 4);
  HGDIOBJ stock = SelectObject(dc, a);
  EXPECT_NE(stock, nullptr);
  EXPECT_EQ(SelectObject(dc, b), a);
  EXPECT_EQ(SelectObject(dc, b), b);  // the same one again
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_EQ(SelectObject(dc, brush), GetStockObject(WHITE_BRUSH));
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(4, 5, 6));
  EXPECT_EQ(SelectObject(dc, pen), GetStockObject(BLACK_PEN));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
  // Nothing selectable: null, made-up handles, a DC.
  EXPECT_EQ(SelectObject(dc, nullptr), nullptr);
  EXPECT_EQ(SelectObject(dc, reinterpret_cast<HGDIOBJ>(0x1234)), nullptr);
  EXPECT_EQ(SelectObject(dc, dc), nullptr);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), b);

  // A bitmap lives in one DC at a time.
  HDC other = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SelectObject(other, b), nullptr);
  EXPECT_EQ(SelectObject(other, a), stock);

  SelectObject(dc, stock);
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  SelectObject(dc, GetStockObject(BLACK_PEN));
  DeleteDC(other);
  DeleteDC(dc);
  EXPECT_TRUE(DeleteObject(a));
  EXPECT_TRUE(DeleteObject(b));
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_TRUE(DeleteObject(pen));
}

TEST(GdiObjects, DeleteObjectSemantics) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 2, 2);
  HGDIOBJ stock = SelectObject(dc, bitmap);
  EXPECT_FALSE(DeleteObject(bitmap));  // selected bitmaps stay
  EXPECT_EQ(GetObjectType(bitmap), DWORD(OBJ_BITMAP));
  SelectObject(dc, stock);
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_FALSE(DeleteObject(bitmap));  // no double free
  EXPECT_EQ(GetObjectType(bitmap), 0u);

  // A selected brush is freed once its DC lets it go.
  HBRUSH brush = CreateSolidBrush(RGB(9, 9, 9));
  SelectObject(dc, brush);
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_EQ(GetObjectType(brush), DWORD(OBJ_BRUSH));
  EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_BRUSH)), brush);
  EXPECT_EQ(GetObjectType(brush), 0u);

  // ...or when the DC is deleted.
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 1, 1));
  SelectObject(dc, pen);
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_EQ(GetObjectType(pen), 0u);

  EXPECT_FALSE(DeleteObject(nullptr));
  EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(0x5678)));
  EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(GetObjectType(GetStockObject(BLACK_BRUSH)), DWORD(OBJ_BRUSH));
}

TEST(GdiObjects, BitmapsAndGetObject) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 95, 61);
  BITMAP info = {};
  EXPECT_EQ(GetObjectW(bitmap, 0, nullptr), int(sizeof(BITMAP)));
  ASSERT_EQ(GetObjectW(bitmap, sizeof info, &info), int(sizeof info));
  EXPECT_EQ(info.bmType, 0);
  EXPECT_EQ(info.bmWidth, 95);
  EXPECT_EQ(info.bmHeight, 61);
  EXPECT_EQ(info.bmWidthBytes, 95 * 4);
  EXPECT_EQ(info.bmPlanes, 1);
  EXPECT_EQ(info.bmBitsPixel, 32);
  // A buffer too small for a BITMAP is left alone; a larger one gets a BITMAP.
  BITMAP untouched = {};
  EXPECT_EQ(GetObjectW(bitmap, sizeof untouched - 1, &untouched), 0);
  EXPECT_EQ(untouched.bmWidth, 0);
  struct { BITMAP bm; int extra; } bigger = {};
  EXPECT_EQ(GetObjectW(bitmap, sizeof bigger, &bigger), int(sizeof(BITMAP)));
  EXPECT_EQ(bigger.bm.bmHeight, 61);

  // New bitmaps are black.
  HGDIOBJ stock = SelectObject(dc, bitmap);
  EXPECT_EQ(GetPixel(dc, 94, 60), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 95, 0), CLR_INVALID);
  SelectObject(dc, stock);

  // Zero size gives the 1x1 monochrome bitmap; negative or absurd sizes give none.
  HBITMAP empty = CreateCompatibleBitmap(dc, 0, 10);
  ASSERT_EQ(GetObjectW(empty, sizeof info, &info), int(sizeof info));
  EXPECT_EQ(info.bmWidth, 1);
  EXPECT_EQ(info.bmBitsPixel, 1);
  EXPECT_EQ(CreateCompatibleBitmap(dc, -1, 10), nullptr);
  EXPECT_EQ(CreateCompatibleBitmap(dc, 1 << 30, 1 << 30), nullptr);
  EXPECT_EQ(CreateCompatibleBitmap(nullptr, 4, 4), nullptr);
  EXPECT_EQ(GetObjectW(reinterpret_cast<HGDIOBJ>(0x42), sizeof info, &info), 0);
  EXPECT_EQ(GetObjectW(dc, sizeof info, &info), 0);

  // CreateBitmap: monochrome rows padded to 16 bits, 1 is white.
  const BYTE bits[] = {0x80, 0x00, 0x40, 0x00};
  HBITMAP mono = CreateBitmap(2, 2, 1, 1, bits);
  stock = SelectObject(dc, mono);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 255, 255));
  SelectObject(dc, stock);
  DeleteObject(mono);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

TEST(GdiObjects, SurfaceContract) {
  uint32_t pixels[6] = {0x00112233, 0xFF445566, 0, 0, 0, 0};
  HBITMAP bitmap = wince::CreateBitmapFromPixels(3, 2, 8, pixels);
  wince::Surface* surface = wince::BitmapSurface(bitmap);
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(surface->width, 3);
  EXPECT_EQ(surface->pixels[0], 0x00112233u);
  EXPECT_EQ(surface->pixels[1], 0x00445566u);  // the unused byte is cleared
  BITMAP info = {};
  GetObjectW(bitmap, sizeof info, &info);
  EXPECT_EQ(info.bmBitsPixel, 8);
  EXPECT_EQ(info.bmWidthBytes, 4);  // a WORD-aligned row of 3 bytes

  // A window-style DC draws onto a surface it does not own.
  uint32_t window[4 * 3] = {};
  wince::Surface target{4, 3, 4, window};
  HDC dc = wince::CreateSurfaceDC(&target);
  EXPECT_EQ(GetObjectType(dc), DWORD(OBJ_DC));
  EXPECT_EQ(SelectObject(dc, bitmap), nullptr);  // no bitmaps in a window DC
  RECT r = {1, 1, 3, 2};
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  EXPECT_EQ(window[4 + 1], 0x00FFFFFFu);
  EXPECT_EQ(window[4 + 3], 0u);
  EXPECT_FALSE(DeleteDC(dc));  // released through ReleaseSurfaceDC
  wince::ReleaseSurfaceDC(dc);
  EXPECT_EQ(GetObjectType(dc), 0u);
  DeleteObject(bitmap);
  EXPECT_EQ(wince::BitmapSurface(bitmap), nullptr);
}

TEST(GdiObjects, ModesAndColoursReturnThePreviousValue) {
  Canvas c(2, 2);
  EXPECT_EQ(SetBkMode(c.dc, TRANSPARENT), OPAQUE);
  EXPECT_EQ(SetBkMode(c.dc, OPAQUE), TRANSPARENT);
  EXPECT_EQ(SetBkMode(c.dc, 7), 0);
  EXPECT_EQ(GetBkMode(c.dc), OPAQUE);
  EXPECT_EQ(SetTextColor(c.dc, RGB(1, 2, 3)), RGB(0, 0, 0));
  EXPECT_EQ(SetTextColor(c.dc, RGB(4, 5, 6)), RGB(1, 2, 3));
  EXPECT_EQ(SetBkColor(c.dc, RGB(7, 8, 9)), RGB(255, 255, 255));
  EXPECT_EQ(GetBkColor(c.dc), RGB(7, 8, 9));
  EXPECT_EQ(SetTextColor(nullptr, 0), CLR_INVALID);
}

TEST(GdiObjects, DeviceCapsFollowTheDisplay) {
  Canvas c(2, 2);
  const wince::DisplayConfig& display = wince::Display();
  EXPECT_EQ(GetDeviceCaps(c.dc, LOGPIXELSX), display.dpi);
  EXPECT_EQ(GetDeviceCaps(c.dc, LOGPIXELSY), display.dpi);
  EXPECT_EQ(GetDeviceCaps(c.dc, BITSPIXEL), 32);
  EXPECT_EQ(GetDeviceCaps(c.dc, HORZRES), display.width);  // the screen's, not the bitmap's
  EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSX), 0);
}
