#include "TraceReplay.h"

#include <stdlib.h>

#include <wince/soundsink.h>
#include <wince/testdriver.h>

#include "motion/SensorDriver.h"
#include "motion/ShakeDetector.h"
#include "sound/SoundSlots.h"

#include <strsafe.h>

namespace {

// Five slots whose sounds are named after them; a play is known by its path.
class NamedSlots {
 public:
  NamedSlots() {
    for (int slot = 1; slot <= SOUND_SLOT_COUNT; ++slot) {
      WCHAR name[] = TEXT("\\slot0.wav");
      name[5] = WCHAR(u'0' + slot);
      StringCchCopyW(entries_[slot - 1].Path, MAX_PATH, name);
      Slots.SetEntry(slot, &entries_[slot - 1]);
    }
  }

  int SlotOf(const std::u16string& path) const {
    for (int slot = 1; slot <= SOUND_SLOT_COUNT; ++slot)
      if (path == entries_[slot - 1].Path) return slot;
    return 0;
  }

  SoundSlots Slots;

 private:
  SoundEntry entries_[SOUND_SLOT_COUNT] = {};
};

// Moves what the sink heard since the last call into plays, as times since opened.
void CollectPlays(const NamedSlots& slots, DWORD opened, std::vector<ShakePlay>* plays) {
  wince::test::WaitSoundIdle();
  for (const wince::test::SoundPlay& play : wince::test::SoundPlays())
    if (int slot = slots.SlotOf(play.devicePath)) plays->push_back({play.tick - opened, slot});
  wince::test::ClearSoundPlays();
}

}  // namespace

int AxisOfSlot(int slot) { return slot == 2 || slot == 4 ? 0 : slot == 5 ? 2 : 1; }

Replay ReplayTrace(const std::string& path, int sensitivity, DWORD phaseMs, DWORD lengthMs) {
  setenv("WINCE_SENSOR", "trace", 1);
  setenv("WINCE_SENSOR_TRACE", path.c_str(), 1);
  Replay replay;
  wince::test::VirtualClock clock;
  SensorDriver driver;
  if (!driver.Open(1)) return replay;
  const DWORD opened = clock.Now();
  NamedSlots slots;
  wince::test::ClearSoundPlays();
  ShakeDetectorX x(&driver, &slots.Slots);
  ShakeDetectorY y(&driver, &slots.Slots);
  ShakeDetectorZ z(&driver, &slots.Slots);
  ShakeDetector* const detectors[] = {&x, &y, &z};
  for (ShakeDetector* detector : detectors) detector->TuneForStartUp(sensitivity);
  clock.AdvanceTime(phaseMs);
  for (ShakeDetector* detector : detectors) detector->Start();
  // The sink keeps only its latest plays, so they are collected every ten seconds.
  std::vector<SpentShake> judged;
  int ticks = 0;
  for (DWORD at = phaseMs + SHAKE_TIMER_MS; at <= lengthMs; at += SHAKE_TIMER_MS) {
    clock.AdvanceTime(SHAKE_TIMER_MS);
    for (int axis = 0; axis < 3; ++axis) {
      const bool wasJudged = detectors[axis]->Fired;
      detectors[axis]->Tick();
      if (!wasJudged && detectors[axis]->Fired) judged.push_back({at, axis});
    }
    if (++ticks % 200 == 0) CollectPlays(slots, opened, &replay.plays);
  }
  CollectPlays(slots, opened, &replay.plays);
  driver.Close();
  // A judged shake is spent when its detector played nothing at that tick.
  for (const SpentShake& shake : judged) {
    bool played = false;
    for (const ShakePlay& play : replay.plays) played = played || (play.ms == shake.ms && AxisOfSlot(play.slot) == shake.axis);
    if (!played) replay.spent.push_back(shake);
  }
  return replay;
}
