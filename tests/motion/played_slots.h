// Five slots whose sounds are named after their slot number, and the slots that played.
#pragma once

#include <vector>

#include "sound/SoundSlots.h"

class NumberedSlots {
 public:
  NumberedSlots();
  // Empties one slot.
  void Clear(int slot);
  // The slot numbers played since the last call, in order.
  std::vector<int> Played();

  SoundSlots Slots;

 private:
  SoundEntry Entries[SOUND_SLOT_COUNT] = {};
};
