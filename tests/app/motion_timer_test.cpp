// Motion playback switched on and off in a running window: the three 50 ms timers drive
// the detectors over the sensor library stand-in (a trace, or the keyboard).
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>
#include <vector>

#include <wince/testdriver.h>

#include "app/AppGlobals.h"
#include "app/SoundMotion.h"
#include "motion/SensorDriver.h"
#include "played_slots.h"

#include <wince/soundsink.h>

namespace {

enum { WM_START_MOTION = WM_USER, WM_STOP_MOTION };

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_START_MOTION: StartSoundMotion(); return 0;
    case WM_STOP_MOTION: StopSoundMotion(); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

// A main window that switches motion playback on and off when told to.
int WINAPI MotionMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = TEXT("MotionTest");
  RegisterClassW(&windowClass);
  HWND window = CreateWindowW(TEXT("MotionTest"), TEXT("Motion"), WS_VISIBLE, 0, 0, 480, 640, nullptr, nullptr,
                              instance, nullptr);
  AppGlobals::MainWindow.store(window, std::memory_order_release);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0)) DispatchMessageW(&message);
  return 0;
}

class MotionPlayback : public ::testing::Test {
 protected:
  // The sensor opens at the driver's start, as at the program's start-up.
  void Begin(const char* source, const char* trace = nullptr) {
    setenv("WINCE_SENSOR", source, 1);
    if (trace) setenv("WINCE_SENSOR_TRACE", (std::string(TRACES_DIR) + trace).c_str(), 1);
    driver.Start(MotionMain);
    opened = driver.Now();
    sensor.Open(1);
    AppGlobals::DetectorX.store(&x);
    AppGlobals::DetectorY.store(&y);
    AppGlobals::DetectorZ.store(&z);
    for (ShakeDetector* detector : std::vector<ShakeDetector*>{&x, &y, &z}) {
      detector->TuneForStartUp(5);
    }
  }
  void Post(UINT message) {
    PostMessageW(driver.Window(), message, 0, 0);
    driver.WaitIdle();
  }
  void TearDown() override {
    Post(WM_STOP_MOTION);
    driver.Close();
    driver.WaitForExit();
    AppGlobals::DetectorX.store(nullptr);
    AppGlobals::DetectorY.store(nullptr);
    AppGlobals::DetectorZ.store(nullptr);
    AppGlobals::MainWindow.store(nullptr);
    sensor.Close();
    unsetenv("WINCE_SENSOR");
    unsetenv("WINCE_SENSOR_TRACE");
  }

  wince::test::Driver driver;
  DWORD opened = 0;
  SensorDriver sensor;
  NumberedSlots slots;
  ShakeDetectorX x{&sensor, &slots.Slots};
  ShakeDetectorY y{&sensor, &slots.Slots};
  ShakeDetectorZ z{&sensor, &slots.Slots};
};

TEST_F(MotionPlayback, ATraceShakeTowardsPlusXPlaysSlot2OnceSoonAfterItsPeak) {
  Begin("trace", "shake-plus-x.csv");
  Post(WM_START_MOTION);
  EXPECT_TRUE(x.Active && y.Active && z.Active);
  driver.AdvanceTime(10000);
  wince::test::WaitSoundIdle();
  std::vector<wince::test::SoundPlay> plays = wince::test::SoundPlays();
  ASSERT_EQ(1u, plays.size());
  EXPECT_EQ(u"\\slot2.wav", plays[0].devicePath);
  // The peak is 8150 ms into the trace; the shake is judged on the first poll after it.
  DWORD sincePeak = plays[0].tick - (opened + 8150);
  EXPECT_GT(sincePeak, 0u);
  EXPECT_LE(sincePeak, DWORD(SHAKE_TIMER_MS));
}

TEST_F(MotionPlayback, StoppedDetectorsMissTheShake) {
  Begin("trace", "shake-plus-x.csv");
  Post(WM_START_MOTION);
  driver.AdvanceTime(1000);
  Post(WM_STOP_MOTION);
  EXPECT_FALSE(x.Active || y.Active || z.Active);
  driver.AdvanceTime(9000);
  EXPECT_EQ(std::vector<int>{}, slots.Played());
}

TEST_F(MotionPlayback, ArrowKeysAndSpaceShakeTowardsTheirSlots) {
  Begin("keyboard");
  Post(WM_START_MOTION);
  struct Case {
    UINT vk;
    int slot;
  } cases[] = {{VK_UP, 1}, {VK_RIGHT, 2}, {VK_DOWN, 3}, {VK_LEFT, 4}, {VK_SPACE, 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.slot);
    driver.Key(c.vk, true);
    driver.AdvanceTime(20);
    driver.Key(c.vk, false);
    driver.AdvanceTime(1000);
    EXPECT_EQ(std::vector<int>{c.slot}, slots.Played());
  }
}

}  // namespace
