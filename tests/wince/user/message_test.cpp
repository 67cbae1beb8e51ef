// The message queue, timers and the message loop, under the virtual clock.
#include <gtest/gtest.h>

#include "wince/host.h"
#include "wince/testdriver.h"

#include "recorder.h"

namespace {

using wince::test::Driver;
using wince::test::VirtualClock;

class UserMessages : public testing::Test {
 protected:
  void SetUp() override { recorder::log.clear(); }
};

DWORD WINAPI SendUser2(LPVOID window) {
  SendMessageW(static_cast<HWND>(window), WM_USER + 2, 0, 0);
  return 0;
}

// With one of each kind waiting, the loop retrieves them in the order Windows documents
// for GetMessage and PeekMessage: sent, posted, input (consecutive stylus moves merged into
// the last one), paint, timer.
TEST_F(UserMessages, RetrievalFollowsSentPostedInputPaintTimer) {
  Driver driver;  // its window is the one this thread creates
  HWND window = recorder::Create();
  ASSERT_EQ(driver.Window(), window);
  recorder::Pump();
  recorder::log.clear();
  SetTimer(window, 1, 100, nullptr);
  driver.AdvanceTime(100);
  InvalidateRect(window, nullptr, FALSE);
  driver.StylusDown(10, 10);
  driver.StylusMove(11, 11);
  driver.StylusMove(12, 12);
  driver.StylusUp(12, 12);
  driver.StylusMove(13, 13);  // not after a move: kept
  driver.Key(VK_UP, true);
  PostMessageW(window, WM_USER, 0, 0);
  HANDLE sender = CreateThread(nullptr, 0, SendUser2, window, 0, nullptr);
  ASSERT_TRUE(driver.WaitIdle());  // the sender waits for this thread
  recorder::Pump();
  using Message = std::pair<UINT, LPARAM>;  // a timer's lParam is its procedure: none here
  std::vector<Message> expected = {{WM_USER + 2, 0},
                                   {WM_USER, 0},
                                   {WM_LBUTTONDOWN, MAKELPARAM(10, 10)},
                                   {WM_MOUSEMOVE, MAKELPARAM(12, 12)},
                                   {WM_LBUTTONUP, MAKELPARAM(12, 12)},
                                   {WM_MOUSEMOVE, MAKELPARAM(13, 13)},
                                   {WM_KEYDOWN, 1},
                                   {WM_PAINT, 0},
                                   {WM_TIMER, 0}};
  std::vector<Message> got;
  for (const recorder::Entry& entry : recorder::log)
    if (entry.message != WM_ERASEBKGND) got.push_back({entry.message, entry.lParam});
  EXPECT_EQ(got, expected);
  EXPECT_EQ(WaitForSingleObject(sender, INFINITE), WAIT_OBJECT_0);
  CloseHandle(sender);
  DestroyWindow(window);
}

// A message posted while one input message is handled comes before the next input.
TEST_F(UserMessages, WhatInputPostsComesBeforeTheNextInput) {
  static HWND posting = nullptr;
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_LBUTTONDOWN) PostMessageW(window, WM_COMMAND, lParam, 0);
    return recorder::Proc(window, message, wParam, lParam);
  };
  windowClass.lpszClassName = TEXT("Posting");
  RegisterClassW(&windowClass);
  Driver driver;
  posting = CreateWindowExW(0, TEXT("Posting"), TEXT("Posting"), WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
  recorder::Pump();
  recorder::log.clear();
  driver.DoubleTap(5, 6);
  recorder::Pump();
  EXPECT_EQ(recorder::Messages({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_COMMAND}),
            (std::vector<UINT>{WM_LBUTTONDOWN, WM_COMMAND, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_COMMAND,
                               WM_LBUTTONUP}));
  DestroyWindow(posting);
}

TEST_F(UserMessages, PaintIsNotRepeatedOnceValidated) {
  VirtualClock clock;
  HWND window = recorder::Create();
  recorder::Pump();
  recorder::log.clear();
  InvalidateRect(window, nullptr, FALSE);
  InvalidateRect(window, nullptr, FALSE);
  recorder::Pump();
  EXPECT_EQ(recorder::Entries(WM_PAINT).size(), 1u);
  RECT part = {0, 0, 10, 10};
  InvalidateRect(window, &part, FALSE);
  ValidateRect(window, nullptr);
  recorder::Pump();
  EXPECT_EQ(recorder::Entries(WM_PAINT).size(), 1u);
  DestroyWindow(window);
}

TEST_F(UserMessages, UpdateWindowPaintsAtOnce) {
  VirtualClock clock;
  HWND window = recorder::Create();
  recorder::Pump();
  recorder::log.clear();
  UpdateWindow(window);  // nothing invalid: no paint
  EXPECT_TRUE(recorder::Entries(WM_PAINT).empty());
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
  EXPECT_EQ(recorder::Messages({WM_PAINT, WM_ERASEBKGND}), (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));
  DestroyWindow(window);
}

int g_procTicks = 0;
std::vector<DWORD> g_procTimes;

void CALLBACK CountingTimerProc(HWND window, UINT message, UINT_PTR id, DWORD tick) {
  EXPECT_EQ(message, static_cast<UINT>(WM_TIMER));
  EXPECT_EQ(id, 5u);
  g_procTimes.push_back(tick);
  if (++g_procTicks == 3) KillTimer(window, id);
}

// WinMain for timer tests: a timer with a procedure and one for the window procedure.
int WINAPI TimerMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  HWND window = recorder::Create();
  SetTimer(window, 5, 100, CountingTimerProc);
  SetTimer(window, 9, 250, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
  return static_cast<int>(msg.wParam);
}

TEST_F(UserMessages, TimersKeepTheirPeriodAndStopWhenKilled) {
  g_procTimes.clear();
  g_procTicks = 0;
  Driver driver;
  DWORD start = driver.Now();
  driver.Start(TimerMain);
  driver.AdvanceTime(1000);
  // The procedure ran at 100, 200, 300 and killed its timer; the window got the other.
  EXPECT_EQ(g_procTimes, (std::vector<DWORD>{start + 100, start + 200, start + 300}));
  std::vector<recorder::Entry> ticks = recorder::Entries(WM_TIMER);
  ASSERT_EQ(ticks.size(), 4u);
  for (size_t i = 0; i < ticks.size(); ++i) {
    EXPECT_EQ(ticks[i].wParam, 9u);
    EXPECT_EQ(ticks[i].tick, start + 250 * (i + 1));
  }
}

TEST_F(UserMessages, ThreadTimerGetsItsOwnIdAndItsProcedure) {
  VirtualClock clock;
  g_procTimes.clear();
  UINT_PTR id = SetTimer(nullptr, 0, 40, [](HWND window, UINT, UINT_PTR, DWORD tick) {
    EXPECT_EQ(window, nullptr);
    g_procTimes.push_back(tick);
  });
  ASSERT_NE(id, 0u);
  clock.AdvanceTime(40);
  recorder::Pump();
  EXPECT_EQ(g_procTimes, (std::vector<DWORD>{clock.Now()}));
  EXPECT_TRUE(KillTimer(nullptr, id));
  EXPECT_FALSE(KillTimer(nullptr, id));
}

TEST_F(UserMessages, TimersRunOnAcrossTheTickCountWrap) {
  VirtualClock clock(0xFFFFFF00);
  HWND window = recorder::Create();
  recorder::log.clear();
  SetTimer(window, 2, 100, nullptr);
  for (int i = 0; i < 5; ++i) {
    clock.AdvanceTime(100);
    recorder::Pump();
  }
  std::vector<DWORD> ticks;
  for (const recorder::Entry& entry : recorder::Entries(WM_TIMER)) ticks.push_back(entry.tick);
  EXPECT_EQ(ticks, (std::vector<DWORD>{0xFFFFFF64, 0xFFFFFFC8, 0x2C, 0x90, 0xF4}));
  DestroyWindow(window);
}

TEST_F(UserMessages, PostQuitMessageEndsTheLoopWithItsCode) {
  recorder::quitCode = 42;
  Driver driver;
  driver.Start(recorder::WinMain);
  ASSERT_NE(driver.Window(), nullptr);
  driver.Close();  // DefWindowProcW destroys the window, whose WM_DESTROY posts the quit
  EXPECT_EQ(driver.WaitForExit(), 42);
  EXPECT_EQ(recorder::Messages({WM_CLOSE, WM_DESTROY}), (std::vector<UINT>{WM_CLOSE, WM_DESTROY}));
  EXPECT_FALSE(IsWindow(recorder::log.back().window));
  recorder::quitCode = 0;
}

TEST_F(UserMessages, OtherThreadsWakeABlockedLoop) {
  Driver driver;
  driver.Start(recorder::WinMain);
  HWND window = driver.Window();
  recorder::log.clear();
  // The program is blocked in GetMessageW; this thread invalidates and posts.
  EXPECT_TRUE(InvalidateRect(window, nullptr, FALSE));
  ASSERT_TRUE(driver.WaitIdle());
  EXPECT_EQ(recorder::Entries(WM_PAINT).size(), 1u);
  EXPECT_TRUE(PostMessageW(window, WM_USER + 1, 3, 4));
  ASSERT_TRUE(driver.WaitIdle());
  ASSERT_EQ(recorder::Entries(WM_USER + 1).size(), 1u);
  EXPECT_EQ(recorder::Entries(WM_USER + 1)[0].lParam, 4);
  // A message sent from this thread runs on the window's thread and returns its result.
  EXPECT_EQ(SendMessageW(window, WM_NULL, 0, 0), 0);
  EXPECT_EQ(recorder::Entries(WM_NULL).size(), 1u);
}

struct FilteredWait {
  HWND window = nullptr;
  UINT got = 0;
};

DWORD WINAPI FilteredLoop(LPVOID parameter) {
  auto* wait = static_cast<FilteredWait*>(parameter);
  wait->window = recorder::Create(0);
  SetTimer(wait->window, 1, 10, nullptr);
  MSG msg;
  GetMessageW(&msg, nullptr, WM_USER, WM_USER);  // the timer is not asked for
  wait->got = msg.message;
  DestroyWindow(wait->window);
  return 0;
}

TEST_F(UserMessages, ATimerOutsideTheFilterDoesNotEndTheWait) {
  VirtualClock clock;
  FilteredWait wait;
  HANDLE thread = CreateThread(nullptr, 0, FilteredLoop, &wait, 0, nullptr);
  clock.AdvanceTime(50);
  // The due timer leaves the loop blocked, not spinning.
  ASSERT_TRUE(clock.WaitIdle());
  EXPECT_EQ(WaitForSingleObject(thread, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_TRUE(PostMessageW(wait.window, WM_USER, 0, 0));
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(wait.got, static_cast<UINT>(WM_USER));
  CloseHandle(thread);
}

HWND g_peer = nullptr;

// Answers WM_USER by sending to the peer window, whose thread is waiting for this answer.
LRESULT CALLBACK RelayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) return SendMessageW(g_peer, WM_USER + 1, 0, 0) + 42;
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

int WINAPI RelayMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = RelayProc;
  windowClass.lpszClassName = TEXT("Relay");
  RegisterClassW(&windowClass);
  CreateWindowExW(0, TEXT("Relay"), TEXT("Relay"), 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
  return static_cast<int>(msg.wParam);
}

TEST_F(UserMessages, AThreadWaitingForItsSendRunsWhatIsSentToIt) {
  Driver driver;
  driver.Start(RelayMain);
  HWND relay = driver.Window();
  ASSERT_NE(relay, nullptr);
  g_peer = recorder::Create(0);
  recorder::log.clear();
  EXPECT_EQ(SendMessageW(relay, WM_USER, 0, 0), 42);
  EXPECT_EQ(recorder::Entries(WM_USER + 1).size(), 1u);
  DestroyWindow(g_peer);
}

TEST_F(UserMessages, StylusAndKeysArriveAsMessages) {
  std::vector<std::pair<UINT, BOOL>> hooked;
  static std::vector<std::pair<UINT, BOOL>>* keys = &hooked;
  WinceSetKeyHook([](UINT vk, BOOL down, DWORD) { keys->push_back({vk, down}); });
  Driver driver;
  driver.Start(recorder::WinMain);
  recorder::log.clear();
  driver.StylusDown(10, 20);
  driver.StylusMove(15, 25);
  driver.StylusUp(16, 26);
  driver.Key(VK_UP, true);
  driver.Key(VK_UP, false);
  auto down = recorder::Entries(WM_LBUTTONDOWN);
  auto move = recorder::Entries(WM_MOUSEMOVE);
  auto up = recorder::Entries(WM_LBUTTONUP);
  ASSERT_EQ(down.size(), 1u);
  ASSERT_EQ(move.size(), 1u);
  ASSERT_EQ(up.size(), 1u);
  EXPECT_EQ(down[0].lParam, MAKELPARAM(10, 20));
  EXPECT_EQ(down[0].wParam, static_cast<WPARAM>(MK_LBUTTON));
  EXPECT_EQ(move[0].lParam, MAKELPARAM(15, 25));
  EXPECT_EQ(move[0].wParam, static_cast<WPARAM>(MK_LBUTTON));
  EXPECT_EQ(up[0].lParam, MAKELPARAM(16, 26));
  EXPECT_EQ(recorder::Messages({WM_KEYDOWN, WM_KEYUP}), (std::vector<UINT>{WM_KEYDOWN, WM_KEYUP}));
  EXPECT_EQ(hooked, (std::vector<std::pair<UINT, BOOL>>{{VK_UP, TRUE}, {VK_UP, FALSE}}));
  WinceSetKeyHook(nullptr);
}

}  // namespace
