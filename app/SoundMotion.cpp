#include "app/AppGlobals.h"
#include "app/SoundMotion.h"

#include <array>

namespace {

struct ShakeTimer {
  ShakeDetector* Detector;
  UINT_PTR Id;
  TIMERPROC Proc;
};

// The detectors that exist, with their timers, in the order X, Y, Z.
std::array<ShakeTimer, 3> ShakeTimers() {
  return {{{AppGlobals::DetectorX.load(std::memory_order_acquire), SHAKE_TIMER_X, OnShakeTimerX},
           {AppGlobals::DetectorY.load(std::memory_order_acquire), SHAKE_TIMER_Y, OnShakeTimerY},
           {AppGlobals::DetectorZ.load(std::memory_order_acquire), SHAKE_TIMER_Z, OnShakeTimerZ}}};
}

}  // namespace

// Without the main window no timer is set: a timer of no window would get an id of its
// own that the stop could not kill.
void StartSoundMotion() {
  HWND window = AppGlobals::MainWindow.load(std::memory_order_acquire);
  for (const ShakeTimer& timer : ShakeTimers()) {
    if (!timer.Detector) continue;
    timer.Detector->Start();
    if (window) SetTimer(window, timer.Id, SHAKE_TIMER_MS, timer.Proc);
  }
}

void StopSoundMotion() {
  HWND window = AppGlobals::MainWindow.load(std::memory_order_acquire);
  for (const ShakeTimer& timer : ShakeTimers()) {
    if (!timer.Detector) continue;
    if (window) KillTimer(window, timer.Id);
    timer.Detector->Stop();
  }
}

void CALLBACK OnShakeTimerX(HWND, UINT, UINT_PTR, DWORD) {
  if (ShakeDetectorX* x = AppGlobals::DetectorX.load(std::memory_order_acquire)) x->Tick();
}

void CALLBACK OnShakeTimerY(HWND, UINT, UINT_PTR, DWORD) {
  if (ShakeDetectorY* y = AppGlobals::DetectorY.load(std::memory_order_acquire)) y->Tick();
}

void CALLBACK OnShakeTimerZ(HWND, UINT, UINT_PTR, DWORD) {
  if (ShakeDetectorZ* z = AppGlobals::DetectorZ.load(std::memory_order_acquire)) z->Tick();
}
