// The program's entry and main window, run for real through the layer's test driver.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <wince/testdriver.h>
#include <windows.h>

#include "app/AppGlobals.h"
#include "app/AppResources.h"
#include "app/Display.h"
#include "app/KeepAwakeTimer.h"
#include "app/MainWindow.h"
#include "motion/ShakeDetector.h"

extern char** environ;

namespace {

using wince::test::Driver;

constexpr DWORD kHideAll = 42;  // taskbar, input button and start icon hidden
constexpr DWORD kShowAll = 21;

// Runs WinMain and lets the loading thread finish: the splash screen stays up for 3 s.
void StartAndLoad(Driver& driver) {
  driver.Start(WinMain);
  ASSERT_TRUE(driver.WaitIdle());
  driver.AdvanceTime(3000);
  ASSERT_EQ(AppGlobals::Loading.load(), 0);
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Each test is its own process; a private scope keeps parallel runs apart.
    std::string scope = "main-window-" + std::to_string(getpid());
    setenv("WINCE_INSTANCE_SCOPE", scope.c_str(), 1);
  }
};

TEST_F(MainWindowTest, OpensOneFullScreenWindowAndClosesWithExitCodeZero) {
  Driver driver;
  StartAndLoad(driver);

  HWND window = driver.Window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window, AppGlobals::MainWindow.load());
  EXPECT_EQ(FindWindowW(TEXT("TiltChimeClass"), TEXT("TiltChime")), window);
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.right - rect.left, 480);
  EXPECT_EQ(rect.bottom - rect.top, 640);

  // The back buffers are screen-sized, whatever the window's client area.
  BITMAP frame = {};
  ASSERT_EQ(GetObjectW(AppGlobals::FrameBuffer.Bitmap, sizeof(frame), &frame), int(sizeof(frame)));
  EXPECT_EQ(frame.bmWidth, 480);
  EXPECT_EQ(frame.bmHeight, 640);

  driver.Close();
  EXPECT_EQ(driver.WaitForExit(), 0);
  EXPECT_EQ(AppGlobals::FrameBuffer.Dc, nullptr);
  EXPECT_EQ(AppGlobals::FrameBuffer.Bitmap, nullptr);
}

TEST_F(MainWindowTest, ResourcesAreLoadedAtTheirDocumentedSizes) {
  Driver driver;
  StartAndLoad(driver);
  AppResources* resources = AppGlobals::Resources.load();
  ASSERT_NE(resources, nullptr);
  EXPECT_NE(resources->Icon, nullptr);
  struct Expected {
    HBITMAP bitmap;
    int width, height, bits;
  } expected[] = {{resources->SplashBitmap, 480, 480, 24},
                  {resources->AboutPicture, 380, 40, 8},
                  {resources->DonateUp, 184, 52, 8},
                  {resources->DonateDown, 184, 52, 8}};
  for (const Expected& e : expected) {
    BITMAP info = {};
    ASSERT_EQ(GetObjectW(e.bitmap, sizeof(info), &info), int(sizeof(info)));
    EXPECT_EQ(info.bmWidth, e.width);
    EXPECT_EQ(info.bmHeight, e.height);
    EXPECT_EQ(info.bmBitsPixel, e.bits);
  }
  driver.Close();
  EXPECT_EQ(driver.WaitForExit(), 0);
  EXPECT_EQ(resources->SplashBitmap, nullptr);
  EXPECT_EQ(resources->Icon, nullptr);
}

TEST_F(MainWindowTest, ActivationLocksPortraitAndDeactivationRestoresTheOrientation) {
  Driver driver;
  StartAndLoad(driver);
  driver.Activate(false);

  // Another program turned the display to landscape while we were in the background.
  DEVMODEW mode = {};
  mode.dmSize = sizeof(mode);
  mode.dmFields = DM_DISPLAYORIENTATION;
  mode.dmDisplayOrientation = DMDO_90;
  ASSERT_EQ(ChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_RESET, nullptr), DISP_CHANGE_SUCCESSFUL);

  driver.Activate(true);
  EXPECT_EQ(GetDisplayOrientation(), DMDO_0);
  EXPECT_EQ(AppGlobals::SavedOrientation, DMDO_90);
  EXPECT_EQ(driver.FullScreenState(), kHideAll);
  RECT rect;
  GetWindowRect(driver.Window(), &rect);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(rect.bottom, GetSystemMetrics(SM_CYSCREEN));

  driver.Activate(false);
  EXPECT_EQ(GetDisplayOrientation(), DMDO_90);
  EXPECT_EQ(driver.FullScreenState(), kShowAll);
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(driver.Window(), &rect);
  EXPECT_EQ(rect.top, work.top);
  EXPECT_EQ(rect.bottom, work.bottom);

  driver.Close();
  EXPECT_EQ(driver.WaitForExit(), 0);
}

TEST_F(MainWindowTest, DeactivationStopsMotionAndKeepAwakeAndActivationDoesNotRestartThem) {
  Driver driver;
  StartAndLoad(driver);

  // Motion playback as the motion toggle leaves it: detectors and keep-awake running.
  KeepAwakeTimer* keepAwake = AppGlobals::KeepAwake.load();
  ShakeDetectorX* detectorX = AppGlobals::DetectorX.load();
  ASSERT_TRUE(keepAwake && detectorX);
  keepAwake->Running = TRUE;
  detectorX->Active = true;

  driver.Activate(false);
  EXPECT_FALSE(keepAwake->Running);
  EXPECT_FALSE(detectorX->Active);

  driver.Activate(true);
  EXPECT_FALSE(keepAwake->Running);
  EXPECT_FALSE(detectorX->Active);
  driver.Close();
  EXPECT_EQ(driver.WaitForExit(), 0);
}

TEST_F(MainWindowTest, KeysDoNothing) {
  Driver driver;
  StartAndLoad(driver);
  DWORD fullScreen = driver.FullScreenState();
  std::vector<uint32_t> before = driver.Snapshot().pixels;
  for (UINT key : {UINT(VK_LEFT), UINT(VK_SPACE), UINT(VK_ESCAPE), UINT(VK_RETURN)}) {
    driver.Key(key, true);
    driver.Key(key, false);
  }
  EXPECT_FALSE(driver.Exited());
  EXPECT_TRUE(IsWindow(driver.Window()));
  EXPECT_EQ(driver.FullScreenState(), fullScreen);
  EXPECT_EQ(driver.Snapshot().pixels, before);
  driver.Close();
  EXPECT_EQ(driver.WaitForExit(), 0);
}

// Runs the real executable; returns its exit code, or -1 when it did not end in time.
int RunSecondInstance(std::chrono::milliseconds* took) {
  std::string exe = std::string(std::getenv("TILTCHIME_APP_DIR")) + "/TiltChime";
  char* argv[] = {const_cast<char*>(exe.c_str()), nullptr};
  pid_t pid;
  auto start = std::chrono::steady_clock::now();
  if (posix_spawn(&pid, exe.c_str(), nullptr, nullptr, argv, environ) != 0) return -1;
  int status = 0;
  // A generous bound: a hung second instance must fail the test, not hang it.
  for (int i = 0; i < 1000; ++i) {
    if (waitpid(pid, &status, WNOHANG) == pid) {
      *took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid, SIGKILL);
  waitpid(pid, &status, 0);
  return -1;
}

TEST_F(MainWindowTest, SecondInstanceHandsTheFocusToTheFirstAndExitsWithZero) {
  Driver driver;
  StartAndLoad(driver);
  driver.Activate(false);
  ASSERT_EQ(driver.FullScreenState(), kShowAll);

  std::chrono::milliseconds took{0};
  EXPECT_EQ(RunSecondInstance(&took), 0);
  RecordProperty("second_instance_ms", int(took.count()));
  // The running instance was brought forward (the raise was queued before the second
  // process ended): activation turned full screen back on.
  ASSERT_TRUE(driver.WaitIdle());
  EXPECT_EQ(driver.FullScreenState(), kHideAll);
  driver.Close();
  EXPECT_EQ(driver.WaitForExit(), 0);
}

}  // namespace
