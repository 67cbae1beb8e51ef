// The program's entry and main window, run for real through the layer's test driver.
#include <gtest/gtest.h>
#include <spawn.h>
#include <fcntl.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>
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

// The real executable as its own process, with environment changes ("NAME=value" sets,
// "NAME" removes), its own registry file and its standard error kept.
class Process {
 public:
  Process(const std::string& name, const std::vector<std::string>& changes) {
    std::string exe = std::string(std::getenv("TILTCHIME_APP_DIR")) + "/TiltChime";
    std::string folder = std::filesystem::temp_directory_path();
    registry_ = folder + "/tiltchime_process_" + name + "_" + std::to_string(getpid()) + ".reg";
    errors_ = registry_ + ".stderr";
    std::filesystem::remove(registry_);
    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e) environment.push_back(*e);
    std::vector<std::string> all = {"WINCE_REGISTRY=" + registry_};
    all.insert(all.end(), changes.begin(), changes.end());
    for (const std::string& change : all) {
      std::string key = change.substr(0, change.find('='));
      std::erase_if(environment, [&](const std::string& e) { return e.rfind(key + "=", 0) == 0; });
      if (change.find('=') != std::string::npos) environment.push_back(change);
    }
    std::vector<char*> envp;
    for (std::string& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);
    char* argv[] = {exe.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, errors_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (posix_spawn(&pid_, exe.c_str(), &actions, nullptr, argv, envp.data()) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~Process() {
    if (pid_ > 0 && status_ < 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    std::filesystem::remove(registry_);
    std::filesystem::remove(errors_);
  }
  // Its window exists: found as a second start would find it (a generous bound).
  bool WaitForWindow() {
    for (int i = 0; i < 1000; ++i) {
      if (FindWindowW(TEXT("TiltChimeClass"), TEXT("TiltChime"))) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }
  void Signal(int signal) { kill(pid_, signal); }
  // waitpid's status; a process still running after the bound is killed and fails.
  int Wait() {
    for (int i = 0; i < 1500 && status_ < 0; ++i) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) status_ = status;
      else std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return status_;
  }
  std::string Read(const std::string& path) const {
    std::stringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
  }
  std::string Errors() const { return Read(errors_); }
  std::string Registry() const { return Read(registry_); }

 private:
  pid_t pid_ = -1;
  int status_ = -1;
  std::string registry_, errors_;
};

constexpr char kSettingsKey[] = "[HKEY_LOCAL_MACHINE\\Software\\Brambleway\\TiltChime\\Settings]";

// Logout, kill and a closed terminal end the program as its close button does: settings
// saved, exit code 0.
TEST_F(MainWindowTest, TermIntAndHupCloseTheWindowSaveTheSettingsAndExitWithZero) {
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal);
    std::string scope = "signal-" + std::to_string(signal) + "-" + std::to_string(getpid());
    setenv("WINCE_INSTANCE_SCOPE", scope.c_str(), 1);
    Process program(scope, {"WINCE_INSTANCE_SCOPE=" + scope});
    ASSERT_TRUE(program.WaitForWindow());
    program.Signal(signal);
    int status = program.Wait();
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NE(program.Registry().find(kSettingsKey), std::string::npos);
  }
}

// The close is still waiting for the loading to end: a second signal ends the process
// at once, by that signal, and nothing is written. (Two of one kind sent at once would be
// one: a signal already pending is not counted twice.)
TEST_F(MainWindowTest, ASecondSignalDuringTheCloseEndsTheProgramAtOnce) {
  Process program("twice", {});
  ASSERT_TRUE(program.WaitForWindow());
  program.Signal(SIGTERM);
  program.Signal(SIGINT);
  int status = program.Wait();
  ASSERT_TRUE(WIFSIGNALED(status)) << status;
  EXPECT_TRUE(WTERMSIG(status) == SIGTERM || WTERMSIG(status) == SIGINT) << WTERMSIG(status);
  EXPECT_EQ(program.Registry(), "");
}

// Without a window system (and without WINCE_HEADLESS=1) the program says so in one line
// and ends with 1, instead of running unseen and taking every later start.
TEST_F(MainWindowTest, NoWindowSystemIsOneLineOnStandardErrorAndExitCodeOne) {
  const std::vector<std::string> cases[] = {
      {"WINCE_HEADLESS", "SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY"},
      {"WINCE_HEADLESS=0", "SDL_VIDEODRIVER", "DISPLAY=:1999", "WAYLAND_DISPLAY"},
      {"WINCE_HEADLESS", "SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY=no-such-socket", "XDG_RUNTIME_DIR=/tmp"}};
  for (std::vector<std::string> changes : cases) {
    SCOPED_TRACE(changes[2] + " " + changes[3]);
    // A failed X11 start leaves libdbus's own allocation for the end of the process; the
    // leak checker of sanitizer builds would report it on the same stderr.
    changes.push_back("ASAN_OPTIONS=detect_leaks=0");
    Process program("nodisplay", changes);
    int status = program.Wait();
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 1);
    std::string errors = program.Errors();
    EXPECT_EQ(errors.rfind("TiltChime: no window system could be opened", 0), 0u) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_EQ(program.Registry(), "");
  }
  // The headless start that follows is not taken for a running copy: it loads and saves.
  Process headless("headless", {});
  ASSERT_TRUE(headless.WaitForWindow());
  headless.Signal(SIGTERM);
  int status = headless.Wait();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_NE(headless.Registry().find(kSettingsKey), std::string::npos);
}

}  // namespace
