// Copying data between the widgets and the model: the slots' sounds, the choice lists,
// the sound picker's rows and the settings, at start-up, after a pick and at close.
#pragma once

#include <windows.h>

// Points the slot (1..5) at the bank entry of that collection (folder) and WAV file
// name; the name alone decides only when the collection no longer holds the file (none
// found empties the slot). 0 without slots or bank, or for another slot number.
int AssignSlotSound(int slot, const WCHAR* folder, const WCHAR* soundName);
// Shows the slot's sound on its Home and Sounds-page buttons. 0 when the slot is empty.
int ApplySlotToUI(int slot);
// The sensitivity choices "1" to "10" and the volume choices "0" to "100".
void FillChoiceLists();
// One picker row per bank entry, in bank order, none selected.
void FillPickerList();
// Configures the detectors and shows the settings' values. E_OUTOFMEMORY at the first
// missing object, the later steps undone.
HRESULT ApplySettingsToUI();
// Collects the widgets' state into the settings. E_OUTOFMEMORY at the first missing
// widget, the later fields unchanged.
HRESULT SaveUIToSettings();
// The slot (1..5) of a Sounds-page slot button id, 0 for any other id.
int SlotFromPickerId(int id);
