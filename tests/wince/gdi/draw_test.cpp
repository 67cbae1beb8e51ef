// FillRect, pens and lines, Rectangle, and the rectangle helpers.
#include <gtest/gtest.h>
#include <windows.h>

#include <climits>

#include "canvas.h"

namespace {

const COLORREF kBack = RGB(9, 9, 9);
const COLORREF kInk = RGB(250, 10, 20);

TEST(GdiDraw, FillRectExcludesRightAndBottom) {
  Canvas c(6, 6, kBack);
  HBRUSH brush = CreateSolidBrush(kInk);
  RECT r = {1, 2, 4, 5};
  EXPECT_EQ(FillRect(c.dc, &r, brush), 1);
  EXPECT_EQ(c.At(1, 2), kInk);
  EXPECT_EQ(c.At(3, 4), kInk);
  EXPECT_EQ(c.At(4, 4), kBack);
  EXPECT_EQ(c.At(3, 5), kBack);
  EXPECT_EQ(c.At(0, 2), kBack);
  EXPECT_EQ(c.At(1, 1), kBack);
  // Inverted rectangles fill nothing; huge ones are clipped.
  RECT inverted = {4, 4, 1, 1};
  FillRect(c.dc, &inverted, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  EXPECT_EQ(c.At(2, 2), kInk);
  RECT huge = {INT_MIN, INT_MIN, INT_MAX, INT_MAX};
  FillRect(c.dc, &huge, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(c.At(5, 5), RGB(0, 0, 0));
  EXPECT_EQ(FillRect(c.dc, &r, nullptr), 0);
  EXPECT_EQ(FillRect(nullptr, &r, brush), 0);
  DeleteObject(brush);
}

class GdiLine : public ::testing::Test {
 protected:
  GdiLine() : canvas(101, 12, kBack) {
    pen = CreatePen(PS_SOLID, 1, kInk);
    old = SelectObject(canvas.dc, pen);
  }
  ~GdiLine() override {
    SelectObject(canvas.dc, old);
    DeleteObject(pen);
  }
  void Line(int x0, int y0, int x1, int y1) {
    MoveToEx(canvas.dc, x0, y0, nullptr);
    LineTo(canvas.dc, x1, y1);
  }
  Canvas canvas;
  HPEN pen;
  HGDIOBJ old;
};

TEST_F(GdiLine, TheEndPointIsNotDrawn) {
  Line(0, 9, 100, 9);
  EXPECT_EQ(canvas.At(0, 9), kInk);
  EXPECT_EQ(canvas.At(99, 9), kInk);
  EXPECT_EQ(canvas.At(100, 9), kBack);
  EXPECT_EQ(canvas.At(50, 8), kBack);
  Line(7, 10, 7, 2);
  EXPECT_EQ(canvas.At(7, 10), kInk);
  EXPECT_EQ(canvas.At(7, 3), kInk);
  EXPECT_EQ(canvas.At(7, 2), kBack);
  POINT at = {};
  MoveToEx(canvas.dc, 0, 0, &at);
  EXPECT_EQ(at.x, 7);
  EXPECT_EQ(at.y, 2);
}

TEST_F(GdiLine, SlopedLinesFollowBresenham) {
  Line(20, 0, 24, 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(canvas.At(20 + i, i), kInk) << i;
  EXPECT_EQ(canvas.At(24, 4), kBack);
  Line(30, 0, 36, 2);
  const int ys[] = {0, 0, 1, 1, 1, 2};
  for (int i = 0; i < 6; ++i) {
    for (int y = 0; y < 3; ++y) EXPECT_EQ(canvas.At(30 + i, y), y == ys[i] ? kInk : kBack) << i << "," << y;
  }
  EXPECT_EQ(canvas.At(36, 2), kBack);
}

// A line through the midpoint between two pixels lights the upper (or left) one, in
// whichever direction it runs.
TEST_F(GdiLine, HalfwayStepsTakeTheUpperOrLeftPixel) {
  Line(40, 1, 42, 0);  // rising to the right
  EXPECT_EQ(canvas.At(41, 0), kInk);
  EXPECT_EQ(canvas.At(41, 1), kBack);
  Line(52, 4, 50, 5);  // falling to the left
  EXPECT_EQ(canvas.At(51, 4), kInk);
  EXPECT_EQ(canvas.At(51, 5), kBack);
  Line(60, 2, 61, 0);  // steep, rising
  EXPECT_EQ(canvas.At(60, 1), kInk);
  EXPECT_EQ(canvas.At(61, 1), kBack);
  Line(71, 6, 70, 8);  // steep, falling to the left
  EXPECT_EQ(canvas.At(70, 7), kInk);
  EXPECT_EQ(canvas.At(71, 7), kBack);
}

TEST_F(GdiLine, LinesAreClippedAndTheNullPenDrawsNothing) {
  Line(-1000000, 5, 1000000, 5);
  EXPECT_EQ(canvas.At(0, 5), kInk);
  EXPECT_EQ(canvas.At(100, 5), kInk);
  Line(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  Line(INT_MAX, INT_MIN, INT_MIN, INT_MAX);
  Line(50, -20, 60, 40);
  SelectObject(canvas.dc, GetStockObject(NULL_PEN));
  Line(0, 11, 100, 11);
  EXPECT_EQ(canvas.At(10, 11), kBack);
  SelectObject(canvas.dc, pen);
}

TEST(GdiDraw, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
  Canvas c(8, 8, kBack);
  HPEN pen = CreatePen(PS_SOLID, 1, kInk);
  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
  HGDIOBJ oldPen = SelectObject(c.dc, pen);
  HGDIOBJ oldBrush = SelectObject(c.dc, brush);
  Rectangle(c.dc, 1, 1, 5, 6);
  EXPECT_EQ(c.At(1, 1), kInk);
  EXPECT_EQ(c.At(4, 5), kInk);
  EXPECT_EQ(c.At(5, 5), kBack);
  EXPECT_EQ(c.At(4, 6), kBack);
  EXPECT_EQ(c.At(2, 2), RGB(0, 0, 255));
  EXPECT_EQ(c.At(3, 4), RGB(0, 0, 255));
  // With the null pen the filled area loses its right column and bottom row.
  SelectObject(c.dc, GetStockObject(NULL_PEN));
  c.Fill(kBack);
  Rectangle(c.dc, 1, 1, 5, 6);
  EXPECT_EQ(c.At(1, 1), RGB(0, 0, 255));
  EXPECT_EQ(c.At(3, 4), RGB(0, 0, 255));
  EXPECT_EQ(c.At(4, 4), kBack);
  EXPECT_EQ(c.At(3, 5), kBack);
  SelectObject(c.dc, oldPen);
  SelectObject(c.dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

TEST(GdiRect, PointsAndEdges) {
  RECT r;
  SetRect(&r, 10, 20, 30, 40);
  EXPECT_TRUE(PtInRect(&r, POINT{10, 20}));
  EXPECT_TRUE(PtInRect(&r, POINT{29, 39}));
  EXPECT_FALSE(PtInRect(&r, POINT{30, 39}));
  EXPECT_FALSE(PtInRect(&r, POINT{29, 40}));
  EXPECT_FALSE(PtInRect(&r, POINT{9, 25}));
  EXPECT_FALSE(IsRectEmpty(&r));
  RECT inverted = {5, 5, 4, 10};
  EXPECT_TRUE(IsRectEmpty(&inverted));
  EXPECT_FALSE(PtInRect(&inverted, POINT{4, 6}));
}

bool Is(const RECT& r, LONG left, LONG top, LONG right, LONG bottom) {
  RECT expected = {left, top, right, bottom};
  return EqualRect(&r, &expected);
}

TEST(GdiRect, Arithmetic) {
  RECT r = {0, 0, 10, 10};
  InflateRect(&r, 2, -3);
  EXPECT_TRUE(Is(r, -2, 3, 12, 7));
  OffsetRect(&r, 5, 1);
  EXPECT_TRUE(Is(r, 3, 4, 17, 8));
  RECT copy;
  CopyRect(&copy, &r);
  EXPECT_TRUE(EqualRect(&copy, &r));
  SetRectEmpty(&copy);
  EXPECT_TRUE(IsRectEmpty(&copy));

  // Coordinates wrap around at the ends of the 32-bit range.
  RECT edge = {INT_MIN, INT_MIN, INT_MAX, INT_MAX};
  InflateRect(&edge, 1, 1);
  EXPECT_TRUE(Is(edge, INT_MAX, INT_MAX, INT_MIN, INT_MIN));
  OffsetRect(&edge, 1, -1);
  EXPECT_TRUE(Is(edge, INT_MIN, INT_MAX - 1, INT_MIN + 1, INT_MAX));

  RECT a = {0, 0, 10, 10}, b = {5, 6, 20, 20}, out;
  EXPECT_TRUE(IntersectRect(&out, &a, &b));
  EXPECT_TRUE(Is(out, 5, 6, 10, 10));
  RECT touching = {10, 0, 20, 10};
  EXPECT_FALSE(IntersectRect(&out, &a, &touching));
  EXPECT_TRUE(Is(out, 0, 0, 0, 0));
}

}  // namespace
