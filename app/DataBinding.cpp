#include "app/AppGlobals.h"
#include "app/DataBinding.h"

#include <strsafe.h>

#include "motion/ShakeDetector.h"
#include "screens/WidgetIds.h"
#include "sound/Settings.h"
#include "sound/SoundBank.h"
#include "sound/SoundSlots.h"
#include "touchui/TouchButton.h"
#include "touchui/TouchCheckBox.h"
#include "touchui/TouchCombo.h"
#include "touchui/TouchSelectList.h"

// The volume choice shown at start-up: "100", the last item.
static const int FullVolumeIndex = 5;

int AssignSlotSound(int slot, const WCHAR* folder, const WCHAR* soundName) {
  SoundSlots* slots = Get(AppGlobals::Slots);
  SoundBank* bank = Get(AppGlobals::Bank);
  if (!slots || !bank || !SoundSlots::IsValidSlot(UINT(slot))) return 0;
  slots->SetEntry(slot, bank->Find(folder, soundName));
  return 1;
}

int ApplySlotToUI(int slot) {
  SoundSlots* slots = Get(AppGlobals::Slots);
  if (!slots || !SoundSlots::IsValidSlot(UINT(slot))) return 0;
  const SoundEntry* entry = slots->Entry(slot);
  if (!entry) return 0;
  if (TouchButton* home = Get(AppGlobals::HomeSlot[slot - 1])) home->SetImage(entry->LargeIcon, IMAGE_BUTTON_ICON);
  if (TouchButtonEx* open = Get(AppGlobals::SoundsOpen[slot - 1])) {
    open->SetImage(entry->SmallIcon, IMAGE_BUTTON_ICON);
    open->SetText(entry->Folder);
    open->SetSecondText(entry->Name);
  }
  return 1;
}

void FillChoiceLists() {
  for (std::atomic<TouchCombo*>* global : {&AppGlobals::SensX, &AppGlobals::SensY, &AppGlobals::SensZ}) {
    TouchCombo* combo = Get(*global);
    if (!combo) continue;
    for (const WCHAR* item : {TEXT("1"), TEXT("2"), TEXT("3"), TEXT("4"), TEXT("5"), TEXT("6"), TEXT("7"), TEXT("8"),
                              TEXT("9"), TEXT("10")})
      combo->AddItem(item);
  }
  if (TouchCombo* volume = Get(AppGlobals::Volume))
    for (const WCHAR* item : {TEXT("0"), TEXT("20"), TEXT("40"), TEXT("60"), TEXT("80"), TEXT("100")})
      volume->AddItem(item);
}

void FillPickerList() {
  TouchSelectList* list = Get(AppGlobals::PickerList);
  SoundBank* bank = Get(AppGlobals::Bank);
  if (!list) return;
  for (int i = 0; bank && i < bank->Count(); ++i) {
    const SoundEntry* entry = bank->EntryAt(i);
    if (!entry) continue;
    SelectListItem item = {};
    StringCchCopyW(item.Text, MAX_PATH, entry->Folder);
    StringCchCopyW(item.SecondText, MAX_PATH, entry->Name);
    item.Icon = entry->SmallIcon;
    item.Tag = reinterpret_cast<DWORD_PTR>(entry);
    list->AddItem(item);
  }
  list->Select(-1);
}

HRESULT ApplySettingsToUI() {
  Settings* settings = Get(AppGlobals::TheSettings);
  if (!settings) return E_OUTOFMEMORY;
  ShakeDetector* detectors[] = {Get(AppGlobals::DetectorX), Get(AppGlobals::DetectorY), Get(AppGlobals::DetectorZ)};
  TouchCombo* combos[] = {Get(AppGlobals::SensX), Get(AppGlobals::SensY), Get(AppGlobals::SensZ)};
  const int sensitivities[] = {settings->SensitivityX, settings->SensitivityY, settings->SensitivityZ};
  for (int axis = 0; axis < 3; ++axis) {
    if (!detectors[axis]) return E_OUTOFMEMORY;
    detectors[axis]->TuneForStartUp(sensitivities[axis]);
  }
  // A sensitivity outside 1..10 is refused by the combo, which then shows nothing.
  for (int axis = 0; axis < 3; ++axis) {
    if (!combos[axis]) return E_OUTOFMEMORY;
    combos[axis]->Select(sensitivities[axis] - 1);
  }
  TouchCheckBox* xClose = Get(AppGlobals::XClose);
  if (!xClose) return E_OUTOFMEMORY;
  xClose->SetChecked(settings->XButtonClose);
  TouchCheckBox* animations = Get(AppGlobals::Anim);
  if (!animations) return E_OUTOFMEMORY;
  animations->SetChecked(settings->AnimationsOn);
  TouchCombo* volume = Get(AppGlobals::Volume);
  if (!volume) return E_OUTOFMEMORY;
  volume->Select(FullVolumeIndex);
  return S_OK;
}

HRESULT SaveUIToSettings() {
  Settings* settings = Get(AppGlobals::TheSettings);
  if (!settings) return E_OUTOFMEMORY;
  // The texts shown on the Sounds page are what is saved. A slot whose sound was not
  // found (a storage card not mounted, a moved folder) shows nothing and keeps the stored
  // collection and name, so the choice comes back once the sounds do.
  SoundSlots* slots = Get(AppGlobals::Slots);
  for (int slot = 0; slot < SETTINGS_SLOT_COUNT; ++slot) {
    TouchButtonEx* open = Get(AppGlobals::SoundsOpen[slot]);
    if (!open) return E_OUTOFMEMORY;
    if (!slots || !slots->Entry(slot + 1)) continue;
    open->GetText(settings->SoundSlotFolder[slot]);
    open->GetSecondText(settings->SoundSlotName[slot]);
  }
  int* sensitivities[] = {&settings->SensitivityX, &settings->SensitivityY, &settings->SensitivityZ};
  TouchCombo* combos[] = {Get(AppGlobals::SensX), Get(AppGlobals::SensY), Get(AppGlobals::SensZ)};
  for (int axis = 0; axis < 3; ++axis) {
    if (!combos[axis]) return E_OUTOFMEMORY;
    *sensitivities[axis] = combos[axis]->GetSelectedValue();
  }
  TouchCheckBox* xClose = Get(AppGlobals::XClose);
  if (!xClose) return E_OUTOFMEMORY;
  settings->XButtonClose = xClose->IsChecked();
  TouchCheckBox* animations = Get(AppGlobals::Anim);
  if (!animations) return E_OUTOFMEMORY;
  settings->AnimationsOn = animations->IsChecked();
  return S_OK;
}

int SlotFromPickerId(int id) {
  return id >= ID_SOUNDS_OPEN1 && id <= ID_SOUNDS_OPEN5 ? id - ID_SOUNDS_OPEN1 + 1 : 0;
}
