// What the widgets draw, probed pixel by pixel in 32-bpp memory canvases.
#include "TouchTestSupport.h"
#include "gfx/ScreenCaps.h"
#include "touchui/TouchButton.h"
#include "touchui/TouchCheckBox.h"
#include "touchui/TouchCombo.h"
#include "touchui/TouchLabel.h"
#include "touchui/TouchPicture.h"
#include "touchui/TouchSelectList.h"

namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// Bitmaps every frame test needs: one colour per state, deleted with the fixture.
class DrawTest : public WindowTest {
 protected:
  void TearDown() override {
    for (HBITMAP b : {normal_, pressed_, disabled_, icon_}) DeleteObject(b);
    WindowTest::TearDown();
  }
  // Frame of a widget at (10, 10, 60 x 40), drawn in a 100 x 80 grey canvas.
  template <class Widget>
  void Configure(Widget& w) {
    w.SetBounds(10, 10, 60, 40);
    w.SetFrameFit(FIT_STRETCHED);
  }

  HBITMAP normal_ = SolidBitmap(8, 8, kRed);
  HBITMAP pressed_ = SolidBitmap(8, 8, kGreen);
  HBITMAP disabled_ = SolidBitmap(8, 8, kBlue);
  // Left half magenta (transparent), right half yellow.
  HBITMAP icon_ = SolidBitmap(8, 8, kYellow, 4, kMagenta);
};

TEST_F(DrawTest, ButtonFrameFollowsPressedAndEnabledStates) {
  TouchButton button(80);
  Configure(button);
  button.SetImage(normal_, IMAGE_NORMAL);
  button.SetImage(pressed_, IMAGE_PRESSED);
  button.SetImage(disabled_, IMAGE_DISABLED);
  button.SetImage(icon_, IMAGE_LEFT_PRESSED);  // not a button kind: ignored
  Canvas canvas(100, 80, kGrey);
  button.Draw(canvas.Dc());
  EXPECT_EQ(canvas.At(10, 10), kRed);
  EXPECT_EQ(canvas.At(69, 49), kRed);
  EXPECT_EQ(canvas.At(70, 50), kGrey);

  button.DispatchMouseDown(window_, 20, 20);
  button.Draw(canvas.Dc());
  EXPECT_EQ(canvas.At(40, 30), kGreen);

  // Disabled wins over a pressed flag that is still set.
  button.SetEnabled(false);
  ASSERT_TRUE(button.IsPressed());
  button.Draw(canvas.Dc());
  EXPECT_EQ(canvas.At(40, 30), kBlue);
}

TEST_F(DrawTest, MaskedFrameCentresMaskAndImageAtTheirOwnSize) {
  // Mask: black (opaque) on its left half; image: yellow there, black elsewhere.
  HBITMAP mask = SolidBitmap(20, 20, kWhite, 10, kBlack);
  HBITMAP image = SolidBitmap(20, 20, kBlack, 10, kYellow);
  TouchButton button(56);
  button.SetBounds(10, 10, 60, 40);
  button.SetFrameStyle(FRAME_MASKED);
  button.SetImage(image, IMAGE_NORMAL);
  button.SetImage(mask, IMAGE_NORMAL_MASK);
  Canvas canvas(100, 80, kGrey);
  button.Draw(canvas.Dc());
  // Centred: x = 10 + (60 - 20) / 2 = 30, y = 10 + (40 - 20) / 2 = 20.
  EXPECT_EQ(canvas.At(30, 20), kYellow);
  EXPECT_EQ(canvas.At(39, 39), kYellow);
  EXPECT_EQ(canvas.At(40, 20), kGrey);
  EXPECT_EQ(canvas.At(29, 20), kGrey);
  EXPECT_EQ(canvas.At(30, 19), kGrey);
  EXPECT_EQ(canvas.At(30, 40), kGrey);
  DeleteObject(mask);
  DeleteObject(image);
}

TEST_F(DrawTest, UnknownStyleOrFitDrawsNoFrameButCaptionAndIcon) {
  for (int style : {1, 3}) {
    TouchButton button(80);
    Configure(button);
    button.SetFrameStyle(style);
    if (style == 1) button.SetFrameFit(0);
    button.SetImage(normal_, IMAGE_NORMAL);
    button.SetText(TEXT("WWWW"));
    button.ShowText(true);
    button.SetTextFormat(0x8024);
    button.SetIconMargins(40, 0, 0, 0);  // the icon takes x 50..69
    button.SetImage(icon_, IMAGE_BUTTON_ICON);
    Canvas canvas(100, 80, kGrey);
    button.Draw(canvas.Dc());
    EXPECT_FALSE(canvas.AnyOtherThan(10, 10, 49, 12, kGrey)) << "style " << style;
    EXPECT_TRUE(canvas.AnyOtherThan(12, 12, 48, 48, kGrey)) << "no caption, style " << style;
    EXPECT_EQ(canvas.At(60, 30), kYellow);
    EXPECT_EQ(canvas.At(55, 11), kGrey);
  }
}

TEST_F(DrawTest, IconIsDrawnLastWithMagentaTransparent) {
  TouchButtonEx button(97);
  Configure(button);
  button.SetImage(pressed_, IMAGE_NORMAL);
  button.SetText(TEXT("WWWWWWWW"));
  button.ShowText(true);
  button.SetSecondText(TEXT("WWWWWWWW"));
  button.ShowSecondText(true);
  button.SetSecondTextMargins(2, 20, 2, 0);
  button.SetIconMargins(0, 0, 0, 0);
  button.SetImage(icon_, IMAGE_BUTTON_ICON);
  Canvas canvas(100, 80, kGrey);
  button.Draw(canvas.Dc());
  // The opaque half of the icon covers both lines; the magenta half shows them.
  EXPECT_FALSE(canvas.AnyOtherThan(40, 10, 70, 50, kYellow));
  EXPECT_TRUE(canvas.AnyOtherThan(10, 10, 40, 30, kGreen));
  EXPECT_TRUE(canvas.AnyOtherThan(10, 30, 40, 50, kGreen));
  for (int y = 10; y < 50; ++y) {
    for (int x = 10; x < 40; ++x) ASSERT_NE(canvas.At(x, y), kMagenta) << x << "," << y;
  }
}

TEST_F(DrawTest, CaptionColoursFollowThePress) {
  HFONT font = CreateSkinFont(TEXT("DejaVu Sans"), 30, true, false, false);
  TouchButtonEx button(97);
  button.SetBounds(0, 0, 200, 80);
  button.ShowText(true);
  button.SetText(TEXT("HHHH"));
  button.SetFont(font);
  button.SetTextMargins(0, 0, 0, 40);
  button.SetTextColors(kRed, kBlue);
  button.ShowSecondText(true);
  button.SetSecondText(TEXT("HHHH"));
  button.SetSecondFont(font);
  button.SetSecondTextMargins(0, 40, 0, 0);
  button.SetSecondTextColors(kYellow, kWhite);
  auto has = [](const Canvas& c, int top, COLORREF color) {
    return c.Contains(0, top, 200, top + 40, color);
  };
  Canvas released(200, 80, kBlack);
  button.Draw(released.Dc());
  EXPECT_TRUE(has(released, 0, kRed));
  EXPECT_TRUE(has(released, 40, kYellow));
  button.DispatchMouseDown(window_, 10, 10);
  Canvas pressed(200, 80, kBlack);
  button.Draw(pressed.Dc());
  EXPECT_TRUE(has(pressed, 0, kBlue));
  EXPECT_FALSE(has(pressed, 0, kRed));
  EXPECT_TRUE(has(pressed, 40, kWhite));
  DeleteObject(font);
}

TEST_F(DrawTest, LabelAndPictureLooks) {
  TouchLabel empty(48);
  empty.SetBounds(0, 0, 100, 80);
  TouchPicture picture(16);
  Configure(picture);
  picture.SetImage(normal_, IMAGE_NORMAL);
  picture.SetImage(pressed_, IMAGE_PRESSED);  // not a picture kind: ignored
  Canvas canvas(100, 80, kGrey);
  empty.Draw(canvas.Dc());
  EXPECT_FALSE(canvas.AnyOtherThan(0, 0, 100, 80, kGrey));

  picture.SetEnabled(false);
  picture.Draw(canvas.Dc());
  EXPECT_EQ(canvas.At(40, 30), kRed);
  Canvas unstyled(100, 80, kGrey);
  picture.SetFrameStyle(3);
  picture.Draw(unstyled.Dc());
  EXPECT_FALSE(unstyled.AnyOtherThan(0, 0, 100, 80, kGrey));
}

TEST_F(DrawTest, CheckBoxShowsItsStateAndDisabledPairInBoth) {
  TouchCheckBox box(136);
  Configure(box);
  box.SetImage(normal_, IMAGE_NORMAL);
  box.SetImage(pressed_, IMAGE_PRESSED);
  box.SetImage(disabled_, IMAGE_DISABLED);
  Canvas canvas(100, 80, kGrey);
  box.Draw(canvas.Dc());
  EXPECT_EQ(canvas.At(40, 30), kRed);
  box.SetChecked(true);
  box.Draw(canvas.Dc());
  EXPECT_EQ(canvas.At(40, 30), kGreen);
  box.SetEnabled(false);
  box.Draw(canvas.Dc());
  EXPECT_EQ(canvas.At(40, 30), kBlue);
  box.SetChecked(false);
  box.Draw(canvas.Dc());
  EXPECT_EQ(canvas.At(40, 30), kBlue);
}

TEST_F(DrawTest, PickerShowsTheHeldEndAndKeepsItsValueWhenDisabled) {
  HBITMAP right = SolidBitmap(8, 8, kYellow);
  TouchCombo combo(132);
  Configure(combo);
  combo.SetImage(normal_, IMAGE_NORMAL);
  combo.SetImage(pressed_, IMAGE_LEFT_PRESSED);
  combo.SetImage(right, IMAGE_RIGHT_PRESSED);
  combo.SetImage(disabled_, IMAGE_DISABLED);
  combo.SetImage(icon_, IMAGE_PRESSED);  // not a picker kind: ignored
  combo.AddItem(TEXT("88"));
  combo.Select(0);
  Canvas canvas(100, 80, kGrey);
  combo.Draw(canvas.Dc());
  EXPECT_EQ(canvas.At(12, 12), kRed);
  combo.DispatchMouseDown(window_, 15, 15);
  combo.Draw(canvas.Dc());
  EXPECT_EQ(canvas.At(12, 12), kGreen);
  combo.DispatchMouseUp(window_, 300, 300);
  combo.DispatchMouseDown(window_, 65, 15);
  combo.Draw(canvas.Dc());
  EXPECT_EQ(canvas.At(12, 12), kYellow);
  combo.DispatchMouseUp(window_, 300, 300);

  combo.SetEnabled(false);
  combo.Draw(canvas.Dc());
  EXPECT_EQ(canvas.At(12, 12), kBlue);
  // At 60 x 40 the value's rectangle between the step squares is empty: widen it.
  Canvas wide(200, 80, kGrey);
  combo.SetBounds(0, 0, 200, 40);
  combo.SetFrameStyle(3);
  combo.Draw(wide.Dc());
  EXPECT_TRUE(wide.AnyOtherThan(40, 0, 160, 40, kGrey));
  EXPECT_FALSE(wide.AnyOtherThan(0, 0, 40, 40, kGrey));
  DeleteObject(right);
}

// A list at (0, 100) of 480 x 400 scrolled by 130 pixels with row 2 selected, drawn
// into a green 480 x 640 canvas.
TEST_F(DrawTest, ListDrawsOnlyItsVisibleRowsInsideItsRectangle) {
  int row = Sy(40);
  ASSERT_EQ(row, 80) << "expects the default 192-dpi screen";
  HBITMAP icon = SolidBitmap(40, 40, kYellow, 20, kMagenta);
  TouchSelectList list(64);
  list.SetBounds(0, 100, 480, 400);
  SelectListItem item = {};
  item.Icon = icon;
  for (int i = 0; i < 20; ++i) list.AddItem(item);
  list.DispatchMouseDown(window_, 240, 300);
  list.DispatchMouseMove(window_, 240, 170);
  list.DispatchMouseUp(window_, 240, 170);
  ASSERT_EQ(list.ScrollOffset(), 130);
  list.DispatchMouseDown(window_, 240, 200);  // (100 + 130) / 80 = row 2
  list.DispatchMouseUp(window_, 240, 200);
  ASSERT_EQ(list.GetSelection(), 2);

  Canvas canvas(480, 640, kGreen);
  list.Draw(canvas.Dc());
  // Row 2 spans y 130..209 with a white selection under its black separator line; rows 1
  // and 3 lie on black.
  EXPECT_EQ(canvas.At(400, 129), kBlack);
  EXPECT_EQ(canvas.At(400, 130), kWhite);
  EXPECT_EQ(canvas.At(400, 208), kWhite);
  EXPECT_EQ(canvas.At(400, 209), kBlack);
  EXPECT_EQ(canvas.At(400, 210), kBlack);
  // Icons centred in each row's 80 x 80 square, magenta left out.
  EXPECT_EQ(canvas.At(45, 160), kYellow);
  EXPECT_EQ(canvas.At(25, 160), kWhite);
  EXPECT_EQ(canvas.At(45, 100), kYellow);  // row 1's icon, cut at the top edge
  EXPECT_EQ(canvas.At(25, 105), kBlack);
  EXPECT_EQ(canvas.At(45, 499), kYellow);  // row 6's icon, cut at the bottom edge
  // Nothing outside the widget.
  EXPECT_EQ(canvas.At(45, 99), kGreen);
  EXPECT_EQ(canvas.At(45, 500), kGreen);
  EXPECT_FALSE(canvas.AnyOtherThan(0, 0, 480, 100, kGreen));
  EXPECT_FALSE(canvas.AnyOtherThan(0, 500, 480, 640, kGreen));
  // Position bar: ratio 4, track 396, thumb 99, free 297, pos trunc(130 / 1200 * 297) = 32;
  // x 480 - 2 - 4 .. 480 - 2, y 100 + 2 + 32 .. + 99.
  EXPECT_EQ(canvas.At(474, 134), kGrey);
  EXPECT_EQ(canvas.At(477, 232), kGrey);
  EXPECT_EQ(canvas.At(478, 134), kWhite);
  EXPECT_EQ(canvas.At(473, 134), kWhite);
  EXPECT_EQ(canvas.At(474, 133), kWhite);
  EXPECT_EQ(canvas.At(474, 233), kBlack);
  DeleteObject(icon);
}

TEST_F(DrawTest, ShortOrEmptyListDrawsOnlyItsBackground) {
  TouchSelectList list(64);
  list.SetBounds(0, 0, 200, 400);
  list.SetBackgroundColor(kBlue);
  Canvas canvas(200, 400, kGreen);
  list.Draw(canvas.Dc());
  EXPECT_FALSE(canvas.AnyOtherThan(0, 0, 200, 400, kBlue));
  SelectListItem item = {};
  list.AddItem(item);
  list.AddItem(item);
  list.Draw(canvas.Dc());
  // No position bar; the separators of style 0 without a pen use the DC's black pen.
  int row = list.RowHeight();
  EXPECT_FALSE(canvas.AnyOtherThan(0, 0, 200, row - 1, kBlue));
  EXPECT_FALSE(canvas.AnyOtherThan(0, row, 200, 2 * row - 1, kBlue));
  EXPECT_FALSE(canvas.AnyOtherThan(0, row - 1, 200, row, kBlack));
  EXPECT_FALSE(canvas.AnyOtherThan(0, 2 * row, 200, 400, kBlue));
}

TEST_F(DrawTest, ListSeparatorAndPatternSelection) {
  HBITMAP separator = SolidBitmap(4, 1, kRed);
  HBITMAP selection = SolidBitmap(2, 2, kYellow, 1, kMagenta);
  TouchSelectList list(64);
  list.SetBounds(0, 0, 200, 400);
  list.SetSeparatorStyle(1);
  list.SetSeparatorImage(separator);
  list.SetSelectionStyle(3);
  list.SetSelectionImage(selection);
  SelectListItem item = {};
  for (int i = 0; i < 3; ++i) list.AddItem(item);
  list.Select(1);
  int row = list.RowHeight();
  Canvas canvas(200, 400, kGreen);
  list.Draw(canvas.Dc());
  EXPECT_EQ(canvas.At(100, row - 1), kRed);
  EXPECT_EQ(canvas.At(100, row - 2), kBlack);
  // Tiles start at the row's top-left corner: magenta column first.
  EXPECT_EQ(canvas.At(100, row), kMagenta);
  EXPECT_EQ(canvas.At(101, row), kYellow);
  EXPECT_EQ(canvas.At(100, 3 * row - 1), kRed);
  EXPECT_EQ(canvas.At(100, 3 * row), kBlack);
  DeleteObject(separator);
  DeleteObject(selection);
}

}  // namespace
