// The selection list's gestures under the layer's virtual clock: taps, the drag
// threshold, release velocity, the fling on timer 4 and its ends.
#include <wince/testdriver.h>

#include <cmath>

#include "TouchTestSupport.h"
#include "touchui/TouchSelectList.h"

namespace {

constexpr UINT_PTR kFlingTimer = 4;
constexpr UINT kFlingPeriod = 11;
constexpr int kTop = 52;  // the list's top edge, as in the sound picker

TouchSelectList* flinging = nullptr;

void CALLBACK OnFlingTimer(HWND window, UINT, UINT_PTR id, DWORD) {
  if (flinging) flinging->Tick(window, id);
}

// A list at (0, 52) of 480 x 480 with 100 rows, on the default 192-dpi screen: rows of
// 80 pixels, a tap and drag tolerance of 20, content 8000, largest resting offset 7520.
class ListTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    list_.SetBounds(0, kTop, 480, 480);
    SelectListItem item = {};
    for (int i = 0; i < 100; ++i) {
      item.Tag = static_cast<DWORD_PTR>(i);
      list_.AddItem(item);
    }
    flinging = &list_;
  }
  void TearDown() override {
    flinging = nullptr;
    WindowTest::TearDown();
  }

  // Touch helpers in list-relative coordinates.
  void Down(int x, int y) { list_.DispatchMouseDown(window_, x, kTop + y); }
  void Move(int x, int y) { list_.DispatchMouseMove(window_, x, kTop + y); }
  void Up(int x, int y) { list_.DispatchMouseUp(window_, x, kTop + y); }

  // A slow drag (no fling) that scrolls the list by dy pixels of content.
  void ScrollBy(int dy) {
    Down(240, 240);
    Move(240, 240 - dy);
    clock_.AdvanceTime(600);
    Up(240, 240 - dy);
    Drain();
  }

  // Lets virtual time pass in timer periods, dispatching each WM_TIMER to its procedure;
  // returns how many fired.
  int RunTimers(DWORD ms) {
    int fired = 0;
    for (DWORD passed = 0; passed < ms; passed += kFlingPeriod) {
      clock_.AdvanceTime(kFlingPeriod);
      MSG msg;
      while (PeekMessageW(&msg, window_, WM_TIMER, WM_TIMER, PM_REMOVE)) {
        ++fired;
        DispatchMessageW(&msg);
      }
    }
    return fired;
  }

  // The owner's protocol after a release.
  void StartFling() { list_.StartAnimation(window_, kFlingTimer, kFlingPeriod, OnFlingTimer); }

  wince::test::VirtualClock clock_;
  TouchSelectList list_{64};
};

TEST_F(ListTest, ScreenScaledGeometry) {
  EXPECT_EQ(list_.RowHeight(), 80);
  EXPECT_EQ(list_.ContentHeight(), 8000);
  TouchSelectList fresh(64);
  EXPECT_EQ(fresh.Width(), 100);
  EXPECT_EQ(fresh.Height(), 40);
}

TEST_F(ListTest, TapSelectsAtTouchDownAndClicks) {
  Down(100, 2 * 80 + 10);
  EXPECT_EQ(list_.GetSelection(), 2);
  EXPECT_EQ(Drain(), (std::vector<Posted>{Cmd(64, TN_PRESSED, &list_)}));
  clock_.AdvanceTime(80);
  Up(119, 2 * 80 + 29);  // 19 apart in both axes: still a tap
  EXPECT_EQ(Drain(), (std::vector<Posted>{Cmd(64, TN_RELEASED, &list_),
                                          Cmd(64, TN_CLICKED, &list_)}));
  SelectListItem item;
  ASSERT_TRUE(list_.GetItem(list_.GetSelection(), &item));
  EXPECT_EQ(item.Tag, 2u);

  Down(100, 10);
  Up(120, 10);  // 20 apart: no click
  EXPECT_EQ(Drain(), (std::vector<Posted>{Cmd(64, TN_PRESSED, &list_),
                                          Cmd(64, TN_RELEASED, &list_)}));
}

TEST_F(ListTest, TouchBelowTheLastRowClearsTheSelectionAndAMissDoesNothing) {
  TouchSelectList shortList(64);
  shortList.SetBounds(0, kTop, 480, 480);
  SelectListItem item = {};
  for (int i = 0; i < 3; ++i) shortList.AddItem(item);
  shortList.Select(1);
  shortList.DispatchMouseDown(window_, 10, 600);  // outside
  EXPECT_EQ(shortList.GetSelection(), 1);
  EXPECT_FALSE(PaintPending());
  EXPECT_TRUE(Drain().empty());
  shortList.DispatchMouseDown(window_, 10, kTop + 3 * 80);
  EXPECT_EQ(shortList.GetSelection(), -1);
  EXPECT_TRUE(PaintPending());
}

TEST_F(ListTest, DragStartsOnePixelBeyondTheTolerance) {
  Down(240, 200);
  Drain();
  Move(400, 180);  // exactly 20 up, and sideways
  EXPECT_FALSE(list_.IsDragging());
  EXPECT_EQ(list_.ScrollOffset(), 0);
  EXPECT_EQ(list_.GetSelection(), 2);
  EXPECT_EQ(Drain(), (std::vector<Posted>{Cmd(64, TN_MOVED, &list_)}));
  Move(240, 179);
  EXPECT_TRUE(list_.IsDragging());
  EXPECT_EQ(list_.ScrollOffset(), 21);  // the whole distance since the touch-down
  EXPECT_EQ(list_.GetSelection(), -1);
  EXPECT_TRUE(PaintPending());
  EXPECT_EQ(Drain(), (std::vector<Posted>{Cmd(64, TN_MOVED, &list_)}));
  Move(240, 189);  // from now on every move scrolls
  EXPECT_EQ(list_.ScrollOffset(), 11);
}

TEST_F(ListTest, DragBackToTheStartStillClicksWithNothingSelected) {
  Down(240, 200);
  Move(240, 170);
  Move(240, 195);
  Up(240, 195);
  EXPECT_EQ(list_.GetSelection(), -1);
  EXPECT_EQ(list_.ScrollOffset(), 5);
  std::vector<Posted> posted = Drain();
  ASSERT_GE(posted.size(), 2u);
  EXPECT_EQ(posted.back(), Cmd(64, TN_CLICKED, &list_));
}

TEST_F(ListTest, SlowDragGivesNoFlingAndOverPullSnapsBack) {
  ScrollBy(200);
  EXPECT_EQ(list_.ScrollOffset(), 200);
  EXPECT_EQ(list_.Velocity(), 0.0);
  StartFling();
  EXPECT_EQ(RunTimers(11), 1);
  EXPECT_FALSE(list_.IsAnimating());
  EXPECT_EQ(list_.ScrollOffset(), 200);
  EXPECT_EQ(RunTimers(55), 0);  // the list killed its timer

  ScrollBy(-500);  // pulled 300 past the top, held long
  EXPECT_EQ(list_.ScrollOffset(), 0);
  ScrollBy(8000);
  EXPECT_EQ(list_.ScrollOffset(), 7520);
}

TEST_F(ListTest, ReleaseVelocityAndTheFirstDecayedStep) {
  ScrollBy(2000);
  Down(240, 100);
  clock_.AdvanceTime(50);
  Move(240, 300);  // 200 below the touch-down: the content follows down
  EXPECT_EQ(list_.ScrollOffset(), 1800);
  clock_.AdvanceTime(50);
  Up(240, 300);
  EXPECT_DOUBLE_EQ(list_.Velocity(), 2.0);
  StartFling();
  EXPECT_TRUE(list_.IsAnimating());
  ASSERT_EQ(RunTimers(11), 1);
  EXPECT_NEAR(list_.Velocity(), 1.9824, 1e-12);
  EXPECT_EQ(list_.ScrollOffset(), 1800 - 21);  // 1.9824 * 11 = 21.8064
  EXPECT_TRUE(list_.IsAnimating());
  RunTimers(110);
  EXPECT_NEAR(list_.Velocity(), 2.0 * std::pow(1 - 0.0088, 11), 1e-9);
}

TEST_F(ListTest, FlingThatReachesAnEndStopsExactlyThere) {
  ScrollBy(7400);
  Down(240, 300);
  Move(240, 250);
  clock_.AdvanceTime(50);
  Up(240, 250);
  ASSERT_DOUBLE_EQ(list_.Velocity(), -1.0);
  StartFling();
  RunTimers(2000);
  EXPECT_FALSE(list_.IsAnimating());
  EXPECT_EQ(list_.ScrollOffset(), 7520);

  ScrollBy(-7400);  // offset 120
  Down(240, 100);
  Move(240, 150);
  clock_.AdvanceTime(50);
  Up(240, 150);
  StartFling();
  RunTimers(2000);
  EXPECT_FALSE(list_.IsAnimating());
  EXPECT_EQ(list_.ScrollOffset(), 0);
}

TEST_F(ListTest, FlingDiesOutOnItsOwnAndALongStepStopsIt) {
  ScrollBy(4000);
  Down(240, 300);
  Move(240, 250);
  clock_.AdvanceTime(100);
  Up(240, 250);  // velocity -0.5: about 600 pixels before it stops
  StartFling();
  RunTimers(6000);
  EXPECT_FALSE(list_.IsAnimating());
  EXPECT_GT(list_.ScrollOffset(), 4050);
  EXPECT_LT(list_.ScrollOffset(), 4700);

  Down(240, 300);
  Move(240, 250);
  clock_.AdvanceTime(100);
  Up(240, 250);
  int before = list_.ScrollOffset();
  clock_.AdvanceTime(1300);  // one step longer than 1 / 0.0008 ms
  list_.Tick(window_, kFlingTimer);
  EXPECT_EQ(list_.Velocity(), 0.0);
  EXPECT_EQ(list_.ScrollOffset(), before);
}

TEST_F(ListTest, TouchDuringAFlingCatchesTheListWithoutSelecting) {
  ScrollBy(1000);
  Down(240, 300);
  Move(240, 100);
  clock_.AdvanceTime(100);
  Up(240, 100);
  StartFling();
  RunTimers(22);
  ASSERT_TRUE(list_.IsAnimating());
  list_.Select(3);
  Drain();
  Down(240, 10);
  EXPECT_EQ(list_.GetSelection(), 3);
  EXPECT_EQ(Drain(), (std::vector<Posted>{Cmd(64, TN_PRESSED, &list_)}));
  list_.StopAnimation(window_, kFlingTimer);  // the owner on TN_PRESSED
  int caught = list_.ScrollOffset();
  EXPECT_EQ(RunTimers(55), 0);
  EXPECT_EQ(list_.ScrollOffset(), caught);
}

TEST_F(ListTest, SelectionAndItemsRefuseBadIndices) {
  EXPECT_TRUE(list_.Select(99));
  EXPECT_FALSE(list_.Select(100));
  EXPECT_FALSE(list_.Select(-2));
  EXPECT_EQ(list_.GetSelection(), 99);
  SelectListItem item = {};
  list_.AddItem(item);
  EXPECT_EQ(list_.GetSelection(), -1);
  EXPECT_EQ(list_.ContentHeight(), 101 * 80);
  EXPECT_FALSE(list_.GetItem(101, &item));
  EXPECT_FALSE(list_.GetItem(-1, &item));
  TouchSelectList empty(64);
  EXPECT_FALSE(empty.Select(-1));
  EXPECT_FALSE(empty.Select(0));
}

}  // namespace
