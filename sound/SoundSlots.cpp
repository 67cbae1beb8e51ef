#include "sound/SoundSlots.h"

#include <mmsystem.h>

bool SoundSlots::IsValidSlot(UINT slot) { return slot >= 1 && slot <= SOUND_SLOT_COUNT; }

const SoundEntry* SoundSlots::Entry(int slot) const {
  if (!IsValidSlot(UINT(slot))) return nullptr;
  return Entries[slot - 1];
}

void SoundSlots::SetEntry(int slot, const SoundEntry* entry) {
  if (IsValidSlot(UINT(slot))) Entries[slot - 1] = entry;
}

// Every sound of the program goes out this way: named by its full path, returning at
// once, cutting off a sound still playing, and silent when the file cannot be played.
void SoundSlots::Play(int slot) const {
  const SoundEntry* entry = Entry(slot);
  if (!entry) return;
  PlaySound(entry->Path, nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}
