// Runs the real program through the layer's test driver, in virtual time, with a
// registry file of its own; taps widgets by their rectangles.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>
#include <wince/testdriver.h>
#include <windows.h>

#include "app/AppGlobals.h"
#include "app/MainWindow.h"
#include "touchui/TouchControl.h"

namespace apptest {

namespace fs = std::filesystem;
using wince::test::Driver;
using wince::test::Options;

// The splash screen's minimum time, after which the Home page shows.
constexpr DWORD kLoadingMs = 3000;
// Longer than any page transition.
constexpr DWORD kTransitionDoneMs = 400;

class AppRun : public ::testing::Test {
 protected:
  void SetUp() override {
    // Each test is its own process; a private scope and registry keep parallel runs apart.
    // Each test's user folder is empty unless the test fills it.
    std::string id = std::to_string(getpid());
    setenv("WINCE_INSTANCE_SCOPE", ("app-" + id).c_str(), 1);
    folder_ = fs::temp_directory_path() / ("tiltchime_app_" + id);
    fs::remove_all(folder_);
    fs::create_directories(folder_ / "data");
    registry_ = folder_ / "registry.reg";
    setenv("WINCE_REGISTRY", registry_.c_str(), 1);
    setenv("XDG_DATA_HOME", (folder_ / "data").c_str(), 1);
  }
  void TearDown() override {
    driver_.reset();
    fs::remove_all(folder_);
  }

  // The settings key holding the given lines ("Name"=value), as the registry editor writes.
  void WriteSettings(const std::string& lines) {
    std::ofstream(registry_) << "Windows Registry Editor Version 5.00\n\n"
                             << "[HKEY_LOCAL_MACHINE\\Software\\Brambleway\\TiltChime\\Settings]\n"
                             << lines;
  }
  std::string RegistryText() const {
    std::ifstream file(registry_);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }

  // WinMain runs; the loading thread has begun (no virtual time has passed).
  void Start(const Options& options = Options()) {
    driver_ = std::make_unique<Driver>(options);
    driver_->Start(WinMain);
    ASSERT_TRUE(driver_->WaitIdle());
  }
  // Started and loaded: the Home page is up.
  void StartLoaded(const Options& options = Options()) {
    Start(options);
    driver_->AdvanceTime(kLoadingMs);
    ASSERT_EQ(AppGlobals::Loading.load(), 0);
  }
  // Closes through the host window and waits for WinMain's end.
  int CloseAndWait() {
    driver_->Close();
    int code = driver_->WaitForExit();
    driver_.reset();
    return code;
  }

  // The program's objects live as long as its process; a second run in the same test
  // process replaces the globals, so the first run's objects are kept reachable here.
  static void KeepObjectsOfThisRun() {
    using G = AppGlobals;
    // Never destroyed, like the objects it refers to.
    static auto* earlierRuns = new std::vector<const void*>;
    earlierRuns->insert(earlierRuns->end(),
                       {G::Resources.load(), G::TheSettings.load(), G::TheSkin.load(), G::Splash.load(),
                        G::Sensor.load(), G::KeepAwake.load(), G::Bank.load(), G::Slots.load(), G::DetectorX.load(),
                        G::DetectorY.load(), G::DetectorZ.load(), G::Animator.load(), G::RootPanel.load()});
  }

  Driver& D() { return *driver_; }

  static POINT Centre(const TouchControl* widget) {
    return {widget->X() + widget->Width() / 2, widget->Y() + widget->Height() / 2};
  }
  void Tap(const TouchControl* widget) {
    ASSERT_NE(widget, nullptr);
    POINT p = Centre(widget);
    D().Tap(p.x, p.y);
  }
  // Taps and lets any page transition finish.
  void Navigate(const TouchControl* widget) {
    Tap(widget);
    D().AdvanceTime(kTransitionDoneMs);
  }

  fs::path folder_;
  fs::path registry_;
  std::unique_ptr<Driver> driver_;
};

// A widget's caption.
inline std::u16string TextOf(const TouchControl* widget) {
  WCHAR text[MAX_PATH] = {};
  widget->GetText(text);
  return text;
}

}  // namespace apptest
