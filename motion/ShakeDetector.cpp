#include "motion/ShakeDetector.h"

#include <cstdlib>

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

ShakeDetector::ShakeDetector(SensorDriver* driver, SoundSlots* slots)
    : MinPeak(SensitivityToMinPeak(kDefaultSensitivity)), Driver(driver), Slots(slots) {}

BOOL ShakeDetector::Start() {
  if (Driver) Driver->Read(&Sample);
  Active = true;
  return 1;
}

void ShakeDetector::Stop() { Active = false; }

void ShakeDetector::SetThreshold(SHORT threshold) { Threshold = threshold; }
void ShakeDetector::SetMinPeak(SHORT minPeak) { MinPeak = minPeak; }
void ShakeDetector::SetZLimit(SHORT zLimit) { ZLimit = zLimit; }

void ShakeDetector::TuneForStartUp(int sensitivity) {
  SetThreshold(kStartUpThreshold);
  SetMinPeak(SensitivityToMinPeak(sensitivity));
  SetZLimit(kStartUpZLimit);
}

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
