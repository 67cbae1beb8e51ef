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

static void OpenSensor() {
  SensorDriver* sensor = new (std::nothrow) SensorDriver();
  if (!sensor) return;
  // A missing library leaves the driver closed; motion then never fires.
  sensor->Open(GSensor);
  AppGlobals::Sensor.store(sensor, std::memory_order_release);
}

static void LoadSettings() {
  Settings* settings = new (std::nothrow) Settings();
  if (!settings) return;
  settings->Load();
  AppGlobals::TheSettings.store(settings, std::memory_order_release);
}

static void LoadTheSkin() {
  Skin* skin = new (std::nothrow) Skin();
  if (!skin) return;
  if (Settings* settings = Get(AppGlobals::TheSettings)) skin->LoadSkin(settings->SkinFolder);
  AppGlobals::TheSkin.store(skin, std::memory_order_release);
}

static void ScanSoundBank() {
  SoundBank* bank = new (std::nothrow) SoundBank();
  if (!bank) return;
  if (Settings* settings = Get(AppGlobals::TheSettings)) bank->Scan(settings->SoundsFolder);
  AppGlobals::Bank.store(bank, std::memory_order_release);
}

static void InitSoundSlots() {
  AppGlobals::Slots.store(new (std::nothrow) SoundSlots(), std::memory_order_release);
  Settings* settings = Get(AppGlobals::TheSettings);
  if (!settings) return;
  for (int slot = 1; slot <= SOUND_SLOT_COUNT; ++slot)
    AssignSlotSound(slot, settings->SoundSlotFolder[slot - 1], settings->SoundSlotName[slot - 1]);
}

static void InitSoundMotion() {
  SensorDriver* sensor = Get(AppGlobals::Sensor);
  SoundSlots* slots = Get(AppGlobals::Slots);
  if (!sensor || !slots) return;
  AppGlobals::DetectorX.store(new (std::nothrow) ShakeDetectorX(sensor, slots), std::memory_order_release);
  AppGlobals::DetectorY.store(new (std::nothrow) ShakeDetectorY(sensor, slots), std::memory_order_release);
  AppGlobals::DetectorZ.store(new (std::nothrow) ShakeDetectorZ(sensor, slots), std::memory_order_release);
}

static void InitWidgets() {
  PagePictures pictures;
  if (AppResources* resources = Get(AppGlobals::Resources))
    pictures = {resources->AboutPicture, resources->DonateUp, resources->DonateDown};
  InitTouchUI(Get(AppGlobals::TheSkin), pictures);
}

static void ApplyTouchUIData() {
  for (int slot = 1; slot <= SOUND_SLOT_COUNT; ++slot) ApplySlotToUI(slot);
  FillChoiceLists();
  FillPickerList();
}

static void ApplySettings() { ApplySettingsToUI(); }

static void InitScreen() {
  ShowScreenPanel(ID_SCREEN, false);
  ShowTopPanel(ID_PAGES, false);
  ShowTabPage(ID_HOME_PAGE, false, false);
}

namespace {

struct LoadingStep {
  const WCHAR* message;
  UINT percent;
  void (*work)();
};

const LoadingStep kLoadingSteps[] = {
    {TEXT("Loading..."), 0, nullptr},
    {TEXT("Init HTC Sensor..."), 10, OpenSensor},
    {TEXT("Loading Settings..."), 20, LoadSettings},
    {TEXT("Loading Skin..."), 30, LoadTheSkin},
    {TEXT("Loading SoundBank..."), 40, ScanSoundBank},
    {TEXT("Init SoundSlots..."), 50, InitSoundSlots},
    {TEXT("Init SoundMotion..."), 60, InitSoundMotion},
    {TEXT("Init TouchUI..."), 70, InitWidgets},
    {TEXT("Apply TouchUI Data..."), 80, ApplyTouchUIData},
    {TEXT("Apply Settings..."), 90, ApplySettings},
    {TEXT("Init Screen..."), 100, InitScreen},
};

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
    if (step.work) step.work();
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
