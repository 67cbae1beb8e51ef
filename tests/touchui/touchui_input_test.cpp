// Touch routing and the touch behaviour of buttons, labels, pictures, check boxes and
// value pickers, read back as WM_COMMANDs from the real message queue.
#include "TouchTestSupport.h"

#include <strsafe.h>

#include "touchui/TouchButton.h"
#include "touchui/TouchCheckBox.h"
#include "touchui/TouchCombo.h"
#include "touchui/TouchLabel.h"
#include "touchui/TouchPicture.h"

namespace {

using InputTest = WindowTest;

TEST_F(InputTest, TapPostsPressedReleasedClickedWithIdCodeAndWidget) {
  TouchButton button(80);
  button.SetBounds(160, 52, 160, 160);
  button.DispatchMouseDown(window_, 200, 100);
  EXPECT_TRUE(button.IsPressed());
  button.DispatchMouseUp(window_, 201, 101);
  EXPECT_FALSE(button.IsPressed());
  EXPECT_EQ(Drain(), (std::vector<Posted>{Cmd(80, TN_PRESSED, &button),
                                          Cmd(80, TN_RELEASED, &button),
                                          Cmd(80, TN_CLICKED, &button)}));
}

TEST_F(InputTest, NotificationWordsCarryLowIdBitsAndCode) {
  TouchCombo combo(132);
  combo.Notify(window_, TN_CHANGED);
  TouchButton wide(0x12345);
  wide.Notify(window_, TN_PRESSED);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, window_, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  EXPECT_EQ(msg.wParam, static_cast<WPARAM>(132 | 6 << 16));
  EXPECT_EQ(msg.lParam, reinterpret_cast<LPARAM>(&combo));
  ASSERT_TRUE(PeekMessageW(&msg, window_, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  EXPECT_EQ(msg.wParam, static_cast<WPARAM>(0x2345 | 1 << 16));
}

TEST_F(InputTest, SlidingOffEndsThePressForTheRestOfTheGesture) {
  TouchButton button(17);
  button.SetBounds(100, 100, 50, 50);
  button.DispatchMouseDown(window_, 120, 120);
  button.DispatchMouseMove(window_, 125, 125);
  Drain();
  button.DispatchMouseMove(window_, 300, 300);
  EXPECT_FALSE(button.IsPressed());
  EXPECT_TRUE(PaintPending());
  EXPECT_EQ(Drain(), (std::vector<Posted>{Cmd(17, TN_MOVED, &button)}));
  button.DispatchMouseMove(window_, 120, 120);
  button.DispatchMouseUp(window_, 120, 120);
  EXPECT_FALSE(button.IsPressed());
  EXPECT_TRUE(Drain().empty());
}

TEST_F(InputTest, ReleaseWithoutPressPostsNothingAndDoesNotRepaint) {
  TouchButton button(17);
  button.SetBounds(100, 100, 50, 50);
  button.DispatchMouseUp(window_, 120, 120);
  EXPECT_FALSE(PaintPending());
  EXPECT_TRUE(Drain().empty());
}

TEST_F(InputTest, TouchDownOutsideRepaintsButPostsNothing) {
  TouchButton button(17);
  button.SetBounds(100, 100, 50, 50);
  button.DispatchMouseDown(window_, 150, 120);  // right edge is outside
  EXPECT_FALSE(button.IsPressed());
  EXPECT_TRUE(PaintPending());
  EXPECT_TRUE(Drain().empty());
}

TEST_F(InputTest, EveryOverlappingWidgetReceivesTheTouchInAddingOrder) {
  TouchPanel root(1);
  root.SetBounds(0, 0, 480, 640);
  TouchButton under(80), over(81);
  under.SetBounds(0, 0, 100, 100);
  over.SetBounds(50, 50, 100, 100);
  root.AddChild(&under);
  root.AddChild(&over);
  root.AddChild(nullptr);
  EXPECT_EQ(root.Children().size(), 2u);
  EXPECT_EQ(over.Owner(), &root);
  root.DispatchMouseDown(window_, 60, 60);
  EXPECT_EQ(Drain(), (std::vector<Posted>{Cmd(80, TN_PRESSED, &under),
                                          Cmd(81, TN_PRESSED, &over)}));
}

TEST_F(InputTest, DisabledInvisibleAndHiddenPanelChildrenAreUnreachable) {
  TouchPanel root(1), page(35);
  TouchButton disabled(80), invisible(81), inHiddenPage(82);
  for (TouchButton* b : {&disabled, &invisible, &inHiddenPage}) b->SetBounds(0, 0, 100, 100);
  disabled.SetEnabled(false);
  invisible.SetVisible(false);
  page.SetVisible(false);
  page.AddChild(&inHiddenPage);
  root.AddChild(&disabled);
  root.AddChild(&invisible);
  root.AddChild(&page);
  root.DispatchMouseDown(window_, 10, 10);
  root.DispatchMouseUp(window_, 10, 10);
  EXPECT_TRUE(Drain().empty());
  EXPECT_FALSE(disabled.IsPressed());

  // A hidden panel's own handlers ignore input too, whatever its children's flags.
  page.OnMouseDown(window_, 10, 10);
  EXPECT_TRUE(Drain().empty());
  page.SetVisible(true);
  root.DispatchMouseDown(window_, 10, 10);
  EXPECT_EQ(Drain(), (std::vector<Posted>{Cmd(82, TN_PRESSED, &inHiddenPage)}));
}

TEST_F(InputTest, LabelsAndPicturesNeverTakeTheTouchFromWidgetsBelow) {
  TouchPanel root(1);
  TouchButton button(80);
  TouchLabel label(128);
  TouchPicture picture(16);
  for (TouchControl* c : std::initializer_list<TouchControl*>{&button, &label, &picture}) {
    c->SetBounds(0, 0, 100, 100);
    root.AddChild(c);
  }
  root.DispatchMouseDown(window_, 10, 10);
  root.DispatchMouseUp(window_, 10, 10);
  EXPECT_FALSE(label.IsPressed());
  EXPECT_FALSE(picture.IsPressed());
  EXPECT_EQ(Drain(), (std::vector<Posted>{Cmd(80, TN_PRESSED, &button),
                                          Cmd(80, TN_RELEASED, &button),
                                          Cmd(80, TN_CLICKED, &button)}));
}

TEST_F(InputTest, CaptionCopiesAreBoundedAndEmptyTextKeepsTheOldOne) {
  TouchButtonEx button(97);
  WCHAR text[MAX_PATH];
  button.SetText(TEXT("Chimes"));
  button.SetText(TEXT(""));
  button.SetText(nullptr);
  button.GetText(text);
  EXPECT_EQ(wcscmp(text, TEXT("Chimes")), 0);
  button.GetText(nullptr);

  WCHAR longest[MAX_PATH];
  for (int i = 0; i < MAX_PATH - 1; ++i) longest[i] = u'a' + i % 26;
  longest[MAX_PATH - 1] = 0;
  button.SetSecondText(longest);
  button.GetSecondText(text);
  EXPECT_EQ(wcslen(text), static_cast<size_t>(MAX_PATH - 1));
  WCHAR tooLong[MAX_PATH + 1];
  StringCchCopyW(tooLong, MAX_PATH + 1, longest);
  StringCchCatW(tooLong, MAX_PATH + 1, TEXT("z"));
  button.SetSecondText(tooLong);
  button.GetSecondText(text);
  EXPECT_EQ(wcscmp(text, longest), 0);
}

class CheckBoxTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    box_.SetBounds(260, 312, 70, 60);
  }
  TouchCheckBox box_{136};
};

TEST_F(CheckBoxTest, FlipsAtTouchDownOnlyAndEveryTapToggles) {
  box_.DispatchMouseDown(window_, 270, 320);
  EXPECT_TRUE(box_.IsChecked());
  EXPECT_TRUE(PaintPending());
  box_.DispatchMouseMove(window_, 0, 0);
  box_.DispatchMouseUp(window_, 0, 0);
  EXPECT_TRUE(box_.IsChecked());
  box_.DispatchMouseDown(window_, 270, 320);
  box_.DispatchMouseUp(window_, 270, 320);
  EXPECT_FALSE(box_.IsChecked());
  EXPECT_EQ(Drain(), (std::vector<Posted>{Cmd(136, TN_TOGGLED, &box_),
                                          Cmd(136, TN_TOGGLED, &box_)}));
  box_.DispatchMouseDown(window_, 200, 320);
  EXPECT_FALSE(box_.IsChecked());
}

TEST_F(CheckBoxTest, LockedDisabledAndProgrammaticChangesPostNothing) {
  box_.SetChecked(true);
  box_.SetLocked(true);
  box_.DispatchMouseDown(window_, 270, 320);
  EXPECT_TRUE(box_.IsChecked());
  EXPECT_FALSE(PaintPending());
  box_.SetLocked(false);
  box_.SetEnabled(false);
  box_.DispatchMouseDown(window_, 270, 320);
  EXPECT_TRUE(box_.IsChecked());
  box_.SetChecked(false);
  EXPECT_FALSE(PaintPending());
  EXPECT_TRUE(Drain().empty());
}

// A picker at (260, 102) of 200 x 60: left step x 260..319, right step x 400..459.
class ComboTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    combo_.SetBounds(260, 102, 200, 60);
    WCHAR text[4];
    for (int i = 1; i <= 10; ++i) combo_.AddItem(_itow(i, text, 10));
  }
  void Tap(int x, int y) {
    combo_.DispatchMouseDown(window_, x, y);
    combo_.DispatchMouseUp(window_, x, y);
  }
  std::vector<Posted> StepPosts() {
    return {Cmd(132, TN_PRESSED, &combo_), Cmd(132, TN_RELEASED, &combo_),
            Cmd(132, TN_CHANGED, &combo_)};
  }
  TouchCombo combo_{132};
};

TEST_F(ComboTest, StepsStopAtTheEndsButStillPostChanged) {
  combo_.Select(9);
  Tap(459, 161);
  EXPECT_EQ(combo_.GetSelectedValue(), 10);
  EXPECT_EQ(Drain(), StepPosts());
  combo_.Select(0);
  Tap(260, 102);
  EXPECT_EQ(combo_.GetSelectedValue(), 1);
  EXPECT_EQ(Drain(), StepPosts());
  Tap(400, 130);
  EXPECT_EQ(combo_.GetSelectedValue(), 2);
  EXPECT_EQ(Drain(), StepPosts());
}

TEST_F(ComboTest, OnlyTheReleaseInTheStepAreaOfThePressCounts) {
  combo_.Select(4);
  combo_.DispatchMouseDown(window_, 270, 130);
  EXPECT_TRUE(combo_.IsPressed());
  combo_.DispatchMouseUp(window_, 450, 130);
  EXPECT_FALSE(combo_.IsPressed());
  EXPECT_EQ(combo_.GetSelectedValue(), 5);
  EXPECT_EQ(Drain(), (std::vector<Posted>{Cmd(132, TN_PRESSED, &combo_)}));

  // Sliding away and back neither ends the press nor posts anything.
  combo_.DispatchMouseDown(window_, 270, 130);
  combo_.DispatchMouseMove(window_, 360, 400);
  combo_.DispatchMouseMove(window_, 275, 135);
  combo_.DispatchMouseUp(window_, 275, 135);
  EXPECT_EQ(combo_.GetSelectedValue(), 4);
  EXPECT_EQ(Drain(), StepPosts());
}

TEST_F(ComboTest, TouchOnTheValueRepaintsAndPostsNothing) {
  combo_.DispatchMouseDown(window_, 360, 130);
  EXPECT_FALSE(combo_.IsPressed());
  EXPECT_TRUE(PaintPending());
  combo_.DispatchMouseUp(window_, 360, 130);
  EXPECT_TRUE(Drain().empty());
}

TEST_F(ComboTest, WithNothingSelectedTheRightEndShowsTheFirstValue) {
  WCHAR text[MAX_PATH] = TEXT("untouched");
  combo_.GetSelectedText(text);
  EXPECT_EQ(wcscmp(text, TEXT("untouched")), 0);
  EXPECT_EQ(combo_.GetSelectedValue(), 0);
  Tap(270, 130);
  EXPECT_EQ(combo_.GetSelectedIndex(), -1);
  Tap(450, 130);
  combo_.GetSelectedText(text);
  EXPECT_EQ(wcscmp(text, TEXT("1")), 0);
}

TEST_F(ComboTest, SelectRefusesIndicesOutsideTheList) {
  combo_.Select(3);
  combo_.Select(10);
  combo_.Select(-2);
  EXPECT_EQ(combo_.GetSelectedIndex(), 3);
  combo_.Select(-1);
  EXPECT_EQ(combo_.GetSelectedIndex(), -1);
  TouchCombo empty(146);
  empty.Select(0);
  empty.SelectNext();
  EXPECT_EQ(empty.GetSelectedIndex(), -1);
  combo_.AddItem(nullptr);
  EXPECT_EQ(combo_.ItemCount(), 10);
}

TEST_F(ComboTest, NarrowPickerOverlapsItsStepAreasAndTheLeftOneWins) {
  combo_.SetBounds(0, 0, 100, 60);  // left 0..59, right 40..99
  combo_.Select(5);
  Tap(50, 30);
  EXPECT_EQ(combo_.GetSelectedValue(), 5);
  Tap(70, 30);
  EXPECT_EQ(combo_.GetSelectedValue(), 6);
}

}  // namespace
