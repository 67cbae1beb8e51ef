// Scaled defaults and the position bar on a 96-dpi screen (the layer reads WINCE_DPI
// before its first use, so it is set before any test runs).
#include <cstdlib>

#include "TouchTestSupport.h"
#include "touchui/TouchButton.h"
#include "touchui/TouchSelectList.h"

namespace {

const bool kScreenAt96Dpi = setenv("WINCE_DPI", "96", 1) == 0;

using Dpi96Test = WindowTest;

TEST_F(Dpi96Test, DefaultsAreDesignUnits) {
  ASSERT_TRUE(kScreenAt96Dpi);
  TouchButton button(80);
  EXPECT_EQ(button.Width(), 50);
  EXPECT_EQ(button.Height(), 20);
  TouchSelectList list(64);
  EXPECT_EQ(list.RowHeight(), 40);
}

// View 400, content 800, offset 200: ratio 2, track 398, thumb 199, free 199,
// pos trunc(0.5 * 199) = 99; the thumb covers x right-3..right-1, y top+100..top+299.
TEST_F(Dpi96Test, PositionBarOfTheWorkedExample) {
  TouchSelectList list(64);
  list.SetBounds(0, 0, 200, 400);
  SelectListItem item = {};
  for (int i = 0; i < 20; ++i) list.AddItem(item);
  list.DispatchMouseDown(window_, 100, 300);
  list.DispatchMouseMove(window_, 100, 100);
  list.DispatchMouseUp(window_, 100, 100);
  ASSERT_EQ(list.ScrollOffset(), 200);

  const COLORREF bar = RGB(128, 128, 128);
  Canvas canvas(200, 400, RGB(0, 255, 0));
  list.Draw(canvas.Dc());
  EXPECT_EQ(canvas.At(197, 100), bar);
  EXPECT_EQ(canvas.At(198, 298), bar);
  EXPECT_EQ(canvas.At(196, 100), RGB(0, 0, 0));
  EXPECT_EQ(canvas.At(199, 100), RGB(0, 0, 0));
  EXPECT_EQ(canvas.At(197, 99), RGB(0, 0, 0));
  EXPECT_EQ(canvas.At(197, 299), RGB(0, 0, 0));
}

}  // namespace
