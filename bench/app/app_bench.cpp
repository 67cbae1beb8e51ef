// What the program does between the splash screen's first frame and the Home page (the
// start-up work without the splash's minimum time and the pauses between its steps), and
// what one paint costs: every page and a transition frame, composed and copied to the
// window, at 480 x 640 and 192 dpi with the default skin and sounds.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <strsafe.h>
#include <windows.h>

#include "app/AppGlobals.h"
#include "app/AppResources.h"
#include "app/BackBuffers.h"
#include "app/DataBinding.h"
#include "app/Pages.h"
#include "gfx/Skin.h"
#include "motion/SensorDriver.h"
#include "motion/ShakeDetector.h"
#include "screens/Screens.h"
#include "screens/WidgetIds.h"
#include "sound/Settings.h"
#include "sound/SoundBank.h"
#include "sound/SoundSlots.h"
#include "touchui/TouchButton.h"
#include "touchui/TouchSelectList.h"

namespace {

// Five sounds from five collections of the default bank, as a user would have chosen.
const WCHAR* const kSlotSounds[5] = {TEXT("Bright Bell.wav"), TEXT("Coin.wav"),
                                     TEXT("Three.wav"), TEXT("Snare.wav"), TEXT("Rise.wav")};

LRESULT CALLBACK BenchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

// The application folder as the program names it: "\build\...\TiltChime\".
std::u16string AppFolder() {
  std::u16string folder;
  for (const char c : std::string(TILTCHIME_APP_DIR)) folder += c == '/' ? u'\\' : char16_t(c);
  return folder + u"\\";
}

// A private registry holding the five slots, read by every Settings::Load.
void PrepareRegistry() {
  static char path[] = "/tmp/tiltchime-bench-XXXXXX";
  const int fd = mkstemp(path);
  if (fd >= 0) close(fd);
  unlink(path);
  setenv("WINCE_REGISTRY", path, 1);
  Settings settings;
  settings.Load();
  for (int i = 0; i < 5; ++i) StringCchCopyW(settings.SoundSlotName[i], MAX_PATH, kSlotSounds[i]);
  settings.Save();
}

// The loading thread's steps from the settings to the shown Home page, without the
// sensor library (opening it is the library's own work) and the splash's pauses.
// Returns the time of each step in ms.
struct StepTimes {
  double settings = 0, skin = 0, bank = 0, slots = 0, widgets = 0, binding = 0;
};

StepTimes StartUpWork() {
  using Clock = std::chrono::steady_clock;
  StepTimes times;
  auto mark = Clock::now();
  auto lap = [&mark](double* into) {
    const auto now = Clock::now();
    *into += std::chrono::duration<double, std::milli>(now - mark).count();
    mark = now;
  };

  auto* settings = new Settings();
  settings->Load();
  StringCchCopyW(settings->AppFolder, MAX_PATH, AppFolder().c_str());
  settings->DeriveFolders();
  AppGlobals::TheSettings = settings;
  lap(&times.settings);

  auto* skin = new Skin();
  skin->LoadSkin(settings->SkinFolder);
  AppGlobals::TheSkin = skin;
  lap(&times.skin);

  auto* bank = new SoundBank();
  bank->Scan(settings->SoundsFolder);
  AppGlobals::Bank = bank;
  lap(&times.bank);

  auto* slots = new SoundSlots();
  AppGlobals::Slots = slots;
  for (int slot = 1; slot <= 5; ++slot)
    AssignSlotSound(slot, settings->SoundSlotFolder[slot - 1], settings->SoundSlotName[slot - 1]);
  // The detectors over a sensor whose library was not opened.
  auto* sensor = new SensorDriver();
  AppGlobals::DetectorX = new ShakeDetectorX(sensor, slots);
  AppGlobals::DetectorY = new ShakeDetectorY(sensor, slots);
  AppGlobals::DetectorZ = new ShakeDetectorZ(sensor, slots);
  lap(&times.slots);

  InitTouchUI();
  lap(&times.widgets);

  for (int slot = 1; slot <= 5; ++slot) ApplySlotToUI(slot);
  FillChoiceLists();
  FillPickerList();
  ApplySettingsToUI();
  ShowScreenPanel(ID_SCREEN, false);
  ShowTopPanel(ID_PAGES, false);
  ShowTabPage(ID_HOME_PAGE, false, false);
  lap(&times.binding);
  return times;
}

// The program's objects are made once and never destroyed; between two runs only the
// handles are released, as the program does at exit.
void ReleaseStartUp() {
  if (SoundBank* bank = AppGlobals::Bank) bank->Clear();
  if (Skin* skin = AppGlobals::TheSkin) skin->ReleaseSkin();
}

// The program after start-up, in a window of its own thread: every page can be shown and
// painted as the main window paints it.
HWND Program() {
  static HWND window = [] {
    PrepareRegistry();
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = BenchProc;
    windowClass.lpszClassName = TEXT("AppBench");
    RegisterClassW(&windowClass);
    HWND created = CreateWindowExW(0, TEXT("AppBench"), TEXT("bench"), WS_VISIBLE, 0, 0, 480,
                                   640, nullptr, nullptr, nullptr, nullptr);
    AppGlobals::MainWindow = created;
    auto* resources = new AppResources(nullptr);
    resources->Load();
    AppGlobals::Resources = resources;
    CreateBackBuffers(created);
    AppGlobals::Animator = new TransitionAnimator();
    StartUpWork();
    return created;
  }();
  return window;
}

void BM_StartUpWork(benchmark::State& state) {
  Program();
  ReleaseStartUp();
  StepTimes total;
  for (auto _ : state) {
    const StepTimes times = StartUpWork();
    total.settings += times.settings;
    total.skin += times.skin;
    total.bank += times.bank;
    total.slots += times.slots;
    total.widgets += times.widgets;
    total.binding += times.binding;
    state.PauseTiming();
    ReleaseStartUp();
    state.ResumeTiming();
  }
  // The page benchmarks paint the program as a finished start-up leaves it.
  StartUpWork();
  const double n = double(state.iterations());
  state.counters["settings_ms"] = total.settings / n;
  state.counters["skin_ms"] = total.skin / n;
  state.counters["bank_ms"] = total.bank / n;
  state.counters["slots_ms"] = total.slots / n;
  state.counters["widgets_ms"] = total.widgets / n;
  state.counters["binding_ms"] = total.binding / n;
}
BENCHMARK(BM_StartUpWork)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void Drain(HWND window) {
  MSG msg;
  while (PeekMessageW(&msg, window, 0, 0, PM_REMOVE)) {
  }
}

enum Page { HOME, SOUNDS, SETTINGS, ABOUT, PICKER };

void Show(Page page) {
  const int tabPages[] = {ID_HOME_PAGE, ID_SOUNDS_PAGE, ID_SETTINGS_PAGE};
  ShowTopPanel(page == ABOUT ? ID_ABOUT_PAGE : page == PICKER ? ID_PICKER_PAGE : ID_PAGES, false);
  if (page <= SETTINGS) ShowTabPage(tabPages[page], false, false);
  // The picker scrolled a little, with a row selected: the most it ever draws.
  if (page == PICKER) {
    TouchSelectList* list = AppGlobals::PickerList;
    list->Select(3);
  }
}

void BM_PagePaint(benchmark::State& state) {
  HWND window = Program();
  Show(Page(state.range(0)));
  for (auto _ : state) OnPaint(window);
  Drain(window);
}
BENCHMARK(BM_PagePaint)
    ->ArgName("page")
    ->Arg(HOME)
    ->Arg(SOUNDS)
    ->Arg(SETTINGS)
    ->Arg(ABOUT)
    ->Arg(PICKER)
    ->Unit(benchmark::kMicrosecond);

// One frame halfway through a transition from Home to Sounds, of the kind given.
void BM_TransitionFrame(benchmark::State& state) {
  HWND window = Program();
  Show(HOME);
  OnPaint(window);
  Show(SOUNDS);
  if (!StartTransition(int(state.range(0)), PAGE_TRANSITION_MS)) {
    state.SkipWithError("no transition");
    return;
  }
  TransitionAnimator* animator = AppGlobals::Animator;
  animator->Progress = 0.5;
  for (auto _ : state) OnPaint(window);
  KillTimer(window, TRANSITION_TIMER_ID);
  animator->Running = 0;
  Drain(window);
}
BENCHMARK(BM_TransitionFrame)
    ->ArgName("kind")
    ->Arg(PUSH_LEFT)
    ->Arg(COVER_FROM_TOP)
    ->Arg(UNCOVER_UPWARD)
    ->Arg(FADE_IN_NEW)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
