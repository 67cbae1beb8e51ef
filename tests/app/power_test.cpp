#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include <wince/testdriver.h>

#include <regext.h>

#include "app/AppGlobals.h"
#include "app/KeepAwakeTimer.h"

namespace {

namespace fs = std::filesystem;

const WCHAR* const PowerKey = TEXT("\\System\\CurrentControlSet\\Control\\Power");

// Each test runs in its own process with a registry file of its own.
class PowerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    registry_ = fs::temp_directory_path() / ("tiltchime_power_" + std::to_string(::getpid()) + ".reg");
    fs::remove(registry_);
    ::setenv("WINCE_REGISTRY", registry_.c_str(), 1);
  }
  void TearDown() override { fs::remove(registry_); }

  static void Store(const WCHAR* name, DWORD seconds) {
    ASSERT_EQ(S_OK, RegistrySetDWORD(HKEY_LOCAL_MACHINE, PowerKey, name, seconds));
  }

  fs::path registry_;
};

TEST_F(PowerTest, TheIntervalIsNinetyPercentOfTheShortestPositiveTimeout) {
  EXPECT_EQ(900000u, GetPowerOffTimeoutMs());  // no power values at all
  Store(TEXT("BattPowerOff"), 180);
  Store(TEXT("ExtPowerOff"), 300);
  Store(TEXT("ScreenPowerOff"), 60);
  EXPECT_EQ(54000u, GetPowerOffTimeoutMs());
  Store(TEXT("ScreenPowerOff"), 0);
  EXPECT_EQ(162000u, GetPowerOffTimeoutMs());
  Store(TEXT("ExtPowerOff"), 120);
  EXPECT_EQ(108000u, GetPowerOffTimeoutMs());
}

TEST_F(PowerTest, NeverOutOfRangeOrUnreadableTimeoutsCountAsNone) {
  Store(TEXT("BattPowerOff"), 0);
  Store(TEXT("ExtPowerOff"), 0);
  EXPECT_EQ(900000u, GetPowerOffTimeoutMs());
  Store(TEXT("ScreenPowerOff"), 1);
  EXPECT_EQ(900u, GetPowerOffTimeoutMs());

  Store(TEXT("BattPowerOff"), 5000);
  Store(TEXT("ScreenPowerOff"), DWORD(-1));  // a negative number of seconds
  EXPECT_EQ(900000u, GetPowerOffTimeoutMs());
  Store(TEXT("ExtPowerOff"), 1200);
  EXPECT_EQ(900000u, GetPowerOffTimeoutMs());
  ASSERT_EQ(S_OK, RegistrySetString(HKEY_LOCAL_MACHINE, PowerKey, TEXT("ScreenPowerOff"), TEXT("30")));
  EXPECT_EQ(900000u, GetPowerOffTimeoutMs());
}

// A program of its own for the timer tests: a window whose thread owns the keep-awake
// timer, started and stopped by messages from the test, counting the timer's ticks.
enum { WM_TEST_START = WM_USER + 1, WM_TEST_STOP };

std::atomic<int> Ticks{0};
std::atomic<DWORD> LastTickAt{0};

void CALLBACK CountingTimerProc(HWND window, UINT message, UINT_PTR id, DWORD time) {
  Ticks.fetch_add(1);
  LastTickAt.store(GetTickCount());
  OnKeepAwakeTimer(window, message, id, time);
}

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  KeepAwakeTimer* keepAwake = AppGlobals::KeepAwake.load();
  switch (message) {
    case WM_TEST_START:
      keepAwake->Start();
      return 0;
    case WM_TEST_STOP:
      keepAwake->Stop();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

int WINAPI TestWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = TestWindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = TEXT("PowerTestClass");
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, TEXT("PowerTestClass"), TEXT("PowerTest"), WS_VISIBLE, 0, 0, 100, 100,
                                nullptr, nullptr, instance, nullptr);
  AppGlobals::KeepAwake.store(new KeepAwakeTimer(window, KEEP_AWAKE_TIMER_ID, CountingTimerProc));
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
  return 0;
}

class KeepAwakeTimerTest : public PowerTest {
 protected:
  void SetUp() override {
    PowerTest::SetUp();
    Store(TEXT("ScreenPowerOff"), 10);  // ticks every 9 s
    driver_.Start(TestWinMain);
    ASSERT_TRUE(driver_.WaitIdle());
    keepAwake_ = AppGlobals::KeepAwake.load();
    ASSERT_NE(nullptr, keepAwake_);
  }
  void Post(UINT message) {
    PostMessageW(driver_.Window(), message, 0, 0);
    driver_.WaitIdle();
  }

  wince::test::Driver driver_;
  KeepAwakeTimer* keepAwake_ = nullptr;
};

TEST_F(KeepAwakeTimerTest, StartsIdleAndTicksAtNinetyPercentOfTheTimeout) {
  EXPECT_EQ(driver_.Window(), keepAwake_->Window);
  EXPECT_EQ(6u, keepAwake_->TimerId);
  EXPECT_EQ(0u, keepAwake_->IntervalMs);
  EXPECT_FALSE(keepAwake_->Running);

  DWORD started = driver_.Now();
  Post(WM_TEST_START);
  EXPECT_TRUE(keepAwake_->Running);
  EXPECT_EQ(9000u, keepAwake_->IntervalMs);
  driver_.AdvanceTime(8999);
  EXPECT_EQ(0, Ticks.load());
  driver_.AdvanceTime(1);
  EXPECT_EQ(1, Ticks.load());
  EXPECT_EQ(started + 9000, LastTickAt.load());
  driver_.AdvanceTime(9000);
  EXPECT_EQ(2, Ticks.load());
}

TEST_F(KeepAwakeTimerTest, ASecondStartChangesNothing) {
  DWORD started = driver_.Now();
  Post(WM_TEST_START);
  driver_.AdvanceTime(4000);
  Store(TEXT("ScreenPowerOff"), 2);
  Post(WM_TEST_START);
  EXPECT_EQ(9000u, keepAwake_->IntervalMs);
  driver_.AdvanceTime(5000);
  EXPECT_EQ(1, Ticks.load());  // one timer, its period not restarted
  EXPECT_EQ(started + 9000, LastTickAt.load());
}

TEST_F(KeepAwakeTimerTest, StopDisarmsAndTheNextStartReadsThePowerSettingsAnew) {
  Post(WM_TEST_START);
  Post(WM_TEST_STOP);
  EXPECT_FALSE(keepAwake_->Running);
  driver_.AdvanceTime(20000);
  EXPECT_EQ(0, Ticks.load());
  Post(WM_TEST_STOP);  // stopping a stopped timer is harmless

  Store(TEXT("ScreenPowerOff"), 2);
  Post(WM_TEST_START);
  EXPECT_EQ(1800u, keepAwake_->IntervalMs);
  driver_.AdvanceTime(1800);
  EXPECT_EQ(1, Ticks.load());
}

}  // namespace
