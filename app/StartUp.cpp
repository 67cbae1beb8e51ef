#include "app/AppGlobals.h"
#include "app/StartUp.h"

#include <new>

#include "app/AppResources.h"
#include "app/DataBinding.h"
#include "app/KeepAwakeTimer.h"
#include "app/Pages.h"
#include "app/Splash.h"
#include "gfx/Skin.h"
#include "motion/SensorDriver.h"
#include "motion/ShakeDetector.h"
#include "report/TellUser.h"
#include "screens/Screens.h"
#include "screens/WidgetIds.h"
#include "sound/Settings.h"
#include "sound/SoundBank.h"
#include "sound/SoundSlots.h"

// The sensor kind the program opens: the G-sensor.
static const DWORD GSensor = 1;

LRESULT OnCreate(HWND window) {
  AppGlobals::Loading.store(1, std::memory_order_release);
  // CreateWindowExW has not returned yet: published now so that the loading thread's
  // repaint requests reach the window from its first step.
  AppGlobals::MainWindow.store(window, std::memory_order_release);

  if (SplashScreen* splash = new (std::nothrow) SplashScreen()) {
    if (AppResources* resources = Get(AppGlobals::Resources)) splash->Picture = resources->SplashBitmap;
    AppGlobals::Splash.store(splash, std::memory_order_release);
  }
  AppGlobals::KeepAwake.store(new (std::nothrow) KeepAwakeTimer(window, KEEP_AWAKE_TIMER_ID, OnKeepAwakeTimer),
                              std::memory_order_release);
  if (TransitionAnimator* animator = new (std::nothrow) TransitionAnimator()) {
    animator->SetKind(PUSH_LEFT);
    AppGlobals::Animator.store(animator, std::memory_order_release);
  }
  HANDLE thread = CreateThread(nullptr, 0, LoadingThread, nullptr, 0, nullptr);
  if (thread) CloseHandle(thread);
  return 0;
}

// Each loading step reports whether it built what it builds. Objects come from plain new:
// one that cannot be allocated ends its step as a failure (LoadingThread catches it).

static bool OpenSensor() {
  SensorDriver* sensor = new SensorDriver();
  // A closed driver is kept all the same; motion then never fires.
  BOOL opened = sensor->Open(GSensor);
  AppGlobals::Sensor.store(sensor, std::memory_order_release);
  return opened;
}

static bool LoadSettings() {
  Settings* settings = new Settings();
  int loaded = settings->Load();
  AppGlobals::TheSettings.store(settings, std::memory_order_release);
  return loaded;
}

static bool LoadTheSkin() {
  Skin* skin = new Skin();
  Settings* settings = Get(AppGlobals::TheSettings);
  bool loaded = settings && skin->LoadSkin(settings->SkinFolder);
  AppGlobals::TheSkin.store(skin, std::memory_order_release);
  return loaded;
}

static bool ScanSoundBank() {
  SoundBank* bank = new SoundBank();
  Settings* settings = Get(AppGlobals::TheSettings);
  if (settings) bank->Scan(settings->SoundsFolder);
  AppGlobals::Bank.store(bank, std::memory_order_release);
  return settings != nullptr;
}

static bool InitSoundSlots() {
  AppGlobals::Slots.store(new SoundSlots(), std::memory_order_release);
  Settings* settings = Get(AppGlobals::TheSettings);
  if (!settings) return false;
  for (int slot = 1; slot <= SOUND_SLOT_COUNT; ++slot)
    AssignSlotSound(slot, settings->SoundSlotFolder[slot - 1], settings->SoundSlotName[slot - 1]);
  return true;
}

static bool InitSoundMotion() {
  SensorDriver* sensor = Get(AppGlobals::Sensor);
  SoundSlots* slots = Get(AppGlobals::Slots);
  if (!sensor || !slots) return false;
  AppGlobals::DetectorX.store(new ShakeDetectorX(sensor, slots), std::memory_order_release);
  AppGlobals::DetectorY.store(new ShakeDetectorY(sensor, slots), std::memory_order_release);
  AppGlobals::DetectorZ.store(new ShakeDetectorZ(sensor, slots), std::memory_order_release);
  return true;
}

static bool InitWidgets() {
  PagePictures pictures;
  if (AppResources* resources = Get(AppGlobals::Resources))
    pictures = {resources->AboutPicture, resources->DonateUp, resources->DonateDown};
  return InitTouchUI(Get(AppGlobals::TheSkin), pictures) == 1;
}

// An empty slot is no failure: it shows no sound.
static bool ApplyTouchUIData() {
  for (int slot = 1; slot <= SOUND_SLOT_COUNT; ++slot) ApplySlotToUI(slot);
  FillChoiceLists();
  FillPickerList();
  return Get(AppGlobals::Bank) != nullptr;
}

static bool ApplySettings() { return SUCCEEDED(ApplySettingsToUI()); }

static bool InitScreen() {
  ShowScreenPanel(ID_SCREEN, false);
  ShowTopPanel(ID_PAGES, false);
  ShowTabPage(ID_HOME_PAGE, false, false);
  return Get(AppGlobals::RootPanel) != nullptr;
}

namespace {

struct LoadingStep {
  const WCHAR* message;
  UINT percent;
  bool (*work)();
  // What the user meets when the step fails, told on the debug channel.
  const WCHAR* failure;
};

const LoadingStep kLoadingSteps[] = {
    {TEXT("Loading..."), 0, nullptr, nullptr},
    {TEXT("Init HTC Sensor..."), 10, OpenSensor, TEXT("shaking the phone plays nothing")},
    {TEXT("Loading Settings..."), 20, LoadSettings, TEXT("the stored settings are not used")},
    {TEXT("Loading Skin..."), 30, LoadTheSkin, TEXT("the screens are drawn without their images")},
    {TEXT("Loading SoundBank..."), 40, ScanSoundBank, TEXT("no sounds to choose from")},
    {TEXT("Init SoundSlots..."), 50, InitSoundSlots, TEXT("the slots stay empty")},
    {TEXT("Init SoundMotion..."), 60, InitSoundMotion, TEXT("shaking the phone plays nothing")},
    {TEXT("Init TouchUI..."), 70, InitWidgets, TEXT("the screens are missing")},
    {TEXT("Apply TouchUI Data..."), 80, ApplyTouchUIData, TEXT("the screens show no sounds")},
    {TEXT("Apply Settings..."), 90, ApplySettings, TEXT("the Settings page shows no choices")},
    {TEXT("Init Screen..."), 100, InitScreen, TEXT("the screens are missing")},
};

// A step that cannot allocate what it builds has failed; the steps after it go on with
// what exists.
bool RunStep(const LoadingStep& step) {
  try {
    return step.work();
  } catch (const std::bad_alloc&) {
    return false;
  }
}

// The pause after each step, during which the main thread can paint its message.
const DWORD StepPauseMs = 20;

}  // namespace

DWORD WINAPI LoadingThread(LPVOID) {
  DWORD start = GetTickCount();
  HWND window = Get(AppGlobals::MainWindow);
  for (const LoadingStep& step : kLoadingSteps) {
    // The repaint is requested before the work, so the splash shows the step under way.
    if (SplashScreen* splash = Get(AppGlobals::Splash)) {
      splash->SetText(step.message);
      splash->SetProgress(step.percent);
    }
    InvalidateRect(window, nullptr, TRUE);
    if (step.work && !RunStep(step)) {
      TellUser({TEXT("start-up step \""), step.message, TEXT("\" failed, so "), step.failure});
    }
    Sleep(StepPauseMs);
  }
  // Unsigned difference: a wrap of the tick counter is harmless.
  DWORD elapsed = GetTickCount() - start;
  if (elapsed < SPLASH_MINIMUM_MS) Sleep(SPLASH_MINIMUM_MS - elapsed);
  AppGlobals::Loading.store(0, std::memory_order_release);
  InvalidateRect(window, nullptr, TRUE);
  PostMessageW(window, WM_LOADING_DONE, 0, 0);
  return 1;
}
