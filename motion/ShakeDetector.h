// Shake detection: three detectors, one per axis, each polled by its own 50 ms timer of
// the main window while motion playback is on. A shake starts when the axis's magnitude
// exceeds Threshold, its peak is followed while it grows, and on the first sample that
// does not grow it is judged once: the slot of the shake's direction plays when the peak
// exceeded MinPeak and Z was below ZLimit. The detector re-arms when the magnitude
// falls to Threshold or below.
#pragma once

#include <windows.h>

#include "motion/SensorDriver.h"

class SoundSlots;

// How the program tunes every detector at start-up ("Apply Settings..."), MinPeak being
// the sensitivity's. A shake is under way above 300: a hand-held phone wobbles by a few
// tens, a shake by a thousand and more. It plays only while Z is below -500, that is with
// the screen facing up more than sideways (Z reads -1000 lying face up), so a phone
// carried upright in a pocket plays nothing.
constexpr SHORT kStartUpThreshold = 300;
constexpr SHORT kStartUpZLimit = -500;
// The sensitivity a new detector is tuned for until the settings say otherwise.
constexpr int kDefaultSensitivity = 5;

class ShakeDetector {
 public:
  ShakeDetector(SensorDriver* driver, SoundSlots* slots);

  // One priming read, then detection runs; the state of a shake under way is kept.
  virtual BOOL Start();
  virtual void Stop();
  // One detection step: reads a sample and follows the shake.
  virtual void Tick() = 0;
  // Declared after the three operations so that they keep the first virtual slots.
  virtual ~ShakeDetector() = default;

  void SetThreshold(SHORT threshold);
  void SetMinPeak(SHORT minPeak);
  void SetZLimit(SHORT zLimit);
  // The start-up tuning: kStartUpThreshold, the sensitivity's MinPeak, kStartUpZLimit.
  void TuneForStartUp(int sensitivity);

  // A new detector is already tuned as start-up tunes it, at the default sensitivity.
  SHORT Threshold = kStartUpThreshold;
  SHORT MinPeak;
  SHORT ZLimit = kStartUpZLimit;
  SensorDriver* Driver;
  SoundSlots* Slots;
  SensorSample Sample = {};
  SHORT Peak = 0;
  bool InShake = false;
  bool Fired = false;
  bool Active = false;

 protected:
  // Reads a fresh sample when detection runs; false when it does not.
  bool ReadIfActive();
  // Follows the shake with the new sample's magnitude; slot is what a judged shake
  // plays (0: nothing, the axis reading being zero).
  void Follow(SHORT magnitude, int slot);
};

// X: slot 4 for a negative reading, 2 for a positive one.
class ShakeDetectorX : public ShakeDetector {
 public:
  using ShakeDetector::ShakeDetector;
  void Tick() override;
};

// Y: slot 1 for a negative reading, 3 for a positive one.
class ShakeDetectorY : public ShakeDetector {
 public:
  using ShakeDetector::ShakeDetector;
  void Tick() override;
};

// Z: slot 5; the magnitude is |Z| - 1000, how far the reading swings beyond the 1 g of a
// phone at rest (negative while the phone feels lighter, which never starts a shake).
class ShakeDetectorZ : public ShakeDetector {
 public:
  using ShakeDetector::ShakeDetector;
  void Tick() override;
};

// MinPeak for a sensitivity: 1050 - 50 * s for 1..10 (a higher sensitivity lets a weaker
// shake play), 800 for any other value.
SHORT SensitivityToMinPeak(int sensitivity);

// Each detector is polled this often while motion playback is on.
enum { SHAKE_TIMER_MS = 50 };
