#include "motion/ShakeDetector.h"

#include <array>
#include <cstdlib>

#include "app/AppGlobals.h"
#include "sound/SoundSlots.h"

namespace {

// |reading| as a 16-bit magnitude; the one reading whose absolute value does not fit,
// -32768, saturates instead of wrapping to a negative magnitude.
SHORT AbsoluteMagnitude(SHORT reading) {
  int magnitude = std::abs(int(reading));
  return SHORT(magnitude > 32767 ? 32767 : magnitude);
}

int SlotBySign(SHORT reading, int negativeSlot, int positiveSlot) {
  return reading < 0 ? negativeSlot : reading > 0 ? positiveSlot : 0;
}

}  // namespace

ShakeDetector::ShakeDetector(SensorDriver* driver, SoundSlots* slots) : Driver(driver), Slots(slots) {}

BOOL ShakeDetector::Start() {
  if (Driver) Driver->Read(&Sample);
  Active = true;
  return 1;
}

void ShakeDetector::Stop() { Active = false; }

void ShakeDetector::SetThreshold(SHORT threshold) { Threshold = threshold; }
void ShakeDetector::SetMinPeak(SHORT minPeak) { MinPeak = minPeak; }
void ShakeDetector::SetZLimit(SHORT zLimit) { ZLimit = zLimit; }

bool ShakeDetector::ReadIfActive() {
  if (!Active) return false;
  if (Driver) Driver->Read(&Sample);
  return true;
}

void ShakeDetector::Follow(SHORT magnitude, int slot) {
  if (!InShake) {
    if (magnitude > Threshold) {
      InShake = true;
      Peak = magnitude;
    }
    return;
  }
  if (magnitude <= Threshold) {
    Fired = false;
    InShake = false;
    return;
  }
  if (magnitude > Peak) {
    Peak = magnitude;
    return;
  }
  if (Peak <= MinPeak || Fired) return;
  // Judged once: a shake with the phone not lying flat enough is spent without a sound.
  Fired = true;
  if (Sample.Z >= ZLimit || slot == 0 || !Slots) return;
  Slots->Play(slot);
}

void ShakeDetectorX::Tick() {
  if (ReadIfActive()) Follow(AbsoluteMagnitude(Sample.X), SlotBySign(Sample.X, 4, 2));
}

void ShakeDetectorY::Tick() {
  if (ReadIfActive()) Follow(AbsoluteMagnitude(Sample.Y), SlotBySign(Sample.Y, 1, 3));
}

void ShakeDetectorZ::Tick() {
  // |Z| - 1000 always fits in 16 bits, also for -32768.
  if (ReadIfActive()) Follow(SHORT(std::abs(int(Sample.Z)) - 1000), 5);
}

SHORT SensitivityToMinPeak(int sensitivity) {
  return SHORT(sensitivity >= 1 && sensitivity <= 10 ? 1050 - 50 * sensitivity : 800);
}

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
