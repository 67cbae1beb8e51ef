// The user's five sound choices: slot 1 sounds for a shake with a negative Y reading,
// 2 positive X, 3 positive Y, 4 negative X, 5 along Z. Each slot refers to an entry
// of the sound bank, which owns it, or to nothing.
#pragma once

#include <windows.h>

#include "sound/SoundEntry.h"

enum { SOUND_SLOT_COUNT = 5 };

class SoundSlots {
 public:
  // True exactly for 1..5; the number is taken unsigned so negatives are invalid.
  static bool IsValidSlot(UINT slot);

  // The slot's entry, or none for an empty or invalid slot.
  const SoundEntry* Entry(int slot) const;
  // Points the slot at entry (none empties it); an invalid slot is left alone.
  void SetEntry(int slot, const SoundEntry* entry);
  // Plays the slot's sound asynchronously; an invalid or empty slot is silent.
  void Play(int slot) const;

 private:
  const SoundEntry* Entries[SOUND_SLOT_COUNT] = {};
};
