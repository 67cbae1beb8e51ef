#include <string>
#include <vector>

#include <wince/soundsink.h>

#include "played_slots.h"

#include <strsafe.h>

NumberedSlots::NumberedSlots() {
  wince::test::ClearSoundPlays();
  for (int slot = 1; slot <= SOUND_SLOT_COUNT; ++slot) {
    SoundEntry& entry = Entries[slot - 1];
    std::u16string path = u"\\slot" + std::u16string(1, char16_t(u'0' + slot)) + u".wav";
    StringCchCopyW(entry.Path, MAX_PATH, path.c_str());
    Slots.SetEntry(slot, &entry);
  }
}

void NumberedSlots::Clear(int slot) { Slots.SetEntry(slot, nullptr); }

std::vector<int> NumberedSlots::Played() {
  wince::test::WaitSoundIdle();
  std::vector<int> slots;
  for (const wince::test::SoundPlay& play : wince::test::SoundPlays()) slots.push_back(play.devicePath[5] - u'0');
  wince::test::ClearSoundPlays();
  return slots;
}
