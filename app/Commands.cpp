#include "app/AppGlobals.h"
#include "app/Commands.h"

#include <mmsystem.h>
#include <strsafe.h>

#include "app/DataBinding.h"
#include "app/KeepAwakeTimer.h"
#include "app/Pages.h"
#include "app/SoundMotion.h"
#include "motion/ShakeDetector.h"
#include "report/TellUser.h"
#include "screens/WidgetIds.h"
#include "sound/SoundEntry.h"
#include "sound/SoundSlots.h"
#include "sound/WavFile.h"
#include "touchui/TouchButton.h"
#include "touchui/TouchCheckBox.h"
#include "touchui/TouchCombo.h"
#include "touchui/TouchSelectList.h"

static HWND MainWindow() { return Get(AppGlobals::MainWindow); }

// The page change is animated when it can be; otherwise the new page is painted at once.
static void Transition(int kind) {
  if (!StartTransition(kind, PAGE_TRANSITION_MS)) InvalidateRect(MainWindow(), nullptr, TRUE);
}

static void OnCloseButton(HWND, int) {
  TouchCheckBox* xClose = Get(AppGlobals::XClose);
  if (xClose && xClose->IsChecked()) PostMessageW(MainWindow(), WM_CLOSE, 0, 0);
  else ShowWindow(MainWindow(), SW_MINIMIZE);
}

static void OnAboutButton(HWND, int) {
  ShowTopPanel(ID_ABOUT_PAGE, false);
  // Disabled while the About page is shown.
  if (TouchButton* about = Get(AppGlobals::AboutButton)) about->SetEnabled(false);
  Transition(COVER_FROM_TOP);
}

static void OnAboutBack(HWND, int) {
  if (TouchButton* about = Get(AppGlobals::AboutButton)) about->SetEnabled(true);
  ShowTopPanel(ID_PAGES, false);
  Transition(UNCOVER_UPWARD);
}

// The push follows the tabs' order, Home, Sounds, Settings: moving right pushes left.
static void OnTabHome(HWND, int) {
  ShowTabPage(ID_HOME_PAGE, true, false);
  Transition(PUSH_RIGHT);
}

static void OnTabSounds(HWND, int) {
  TouchCheckBox* home = Get(AppGlobals::TabHome);
  bool fromHome = home && home->IsChecked();
  ShowTabPage(ID_SOUNDS_PAGE, true, false);
  Transition(fromHome ? PUSH_LEFT : PUSH_RIGHT);
}

static void OnTabSettings(HWND, int) {
  ShowTabPage(ID_SETTINGS_PAGE, true, false);
  Transition(PUSH_LEFT);
}

static void OnDonate(HWND, int) {
  if (LaunchBrowser(TEXT("\\Windows\\OperaL.exe"), DONATION_PAGE)) return;
  if (LaunchBrowser(TEXT("\\Windows\\iexplore.exe"), DONATION_PAGE)) return;
  TellUser({TEXT("no web browser could be started for "), DONATION_PAGE,
            TEXT(": install one, or open the address yourself")});
}

static void OnPickerListPressed(HWND window, int) {
  if (TouchSelectList* list = Get(AppGlobals::PickerList)) list->StopAnimation(window, PICKER_LIST_TIMER_ID);
}

static void OnPickerListMoved(HWND, int) {}

static void OnPickerListReleased(HWND window, int) {
  if (TouchSelectList* list = Get(AppGlobals::PickerList))
    list->StartAnimation(window, PICKER_LIST_TIMER_ID, PICKER_LIST_TIMER_MS, OnPickerListTimer);
}

// The entry of the list's selected row, or none.
static const SoundEntry* SelectedEntry(SelectListItem* item) {
  TouchSelectList* list = Get(AppGlobals::PickerList);
  *item = {};
  if (!list || list->GetSelection() < 0 || !list->GetItem(list->GetSelection(), item)) return nullptr;
  return reinterpret_cast<const SoundEntry*>(item->Tag);
}

// A tapped row plays at once, cutting off any sound playing.
static void OnPickerListClicked(HWND, int) {
  SelectListItem item;
  const SoundEntry* entry = SelectedEntry(&item);
  if (!entry) return;
  TellIfUnplayable(entry->Path);
  PlaySound(entry->Path, nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}

static void OnPickerOk(HWND window, int) {
  OnPickerListPressed(window, 0);
  SelectListItem item;
  if (!SelectedEntry(&item)) return;
  // The slot is resolved by collection and name, like the saved sounds at start-up.
  int slot = SlotFromPickerId(AppGlobals::PickerSlotId);
  AssignSlotSound(slot, item.Text, item.SecondText);
  ApplySlotToUI(slot);
  ShowTopPanel(ID_PAGES, false);
  Transition(PUSH_UP);
}

static void OnPickerCancel(HWND window, int) {
  OnPickerListPressed(window, 0);
  AppGlobals::PickerSlotId = 0;
  ShowTopPanel(ID_PAGES, false);
  Transition(PUSH_UP);
}

// The pressed look is painted before the sound starts.
static void OnPlaySlot(HWND, int slot) {
  UpdateWindow(MainWindow());
  SoundSlots* slots = Get(AppGlobals::Slots);
  if (!slots) return;
  if (const SoundEntry* entry = slots->Entry(slot)) TellIfUnplayable(entry->Path);
  slots->Play(slot);
}

static void OnMotionToggle(HWND window, int) {
  TouchCheckBox* toggle = Get(AppGlobals::MotionToggle);
  if (!toggle) return;
  KeepAwakeTimer* keepAwake = Get(AppGlobals::KeepAwake);
  if (toggle->IsChecked()) {
    StartSoundMotion();
    toggle->SetText(TEXT("ON"));
    if (keepAwake) keepAwake->Start();
  } else {
    SwitchMotionOff();
  }
  toggle->Invalidate(window);
}

static void OnOpenPicker(HWND, int slot) {
  AppGlobals::PickerSlotId = ID_SOUNDS_OPEN1 + slot - 1;
  // Every opening starts with nothing selected, so a row tapped before a CANCEL is never
  // assigned by a later OK.
  if (TouchSelectList* list = Get(AppGlobals::PickerList)) list->Select(-1);
  ShowTopPanel(ID_PICKER_PAGE, true);
  Transition(PUSH_DOWN);
}

static void OnSensitivity(HWND, int axis) {
  TouchCombo* combos[] = {Get(AppGlobals::SensX), Get(AppGlobals::SensY), Get(AppGlobals::SensZ)};
  ShakeDetector* detectors[] = {Get(AppGlobals::DetectorX), Get(AppGlobals::DetectorY), Get(AppGlobals::DetectorZ)};
  if (combos[axis] && detectors[axis]) detectors[axis]->SetMinPeak(SensitivityToMinPeak(combos[axis]->GetSelectedValue()));
}

// The output volume choice is hidden and has no effect.
static void OnVolume(HWND, int) {}

namespace {

struct Route {
  int id;
  int code;
  bool needsWidget;  // nothing happens for a notification without its widget
  void (*handler)(HWND window, int argument);
  int argument;  // the slot (1..5) or the axis (0..2) of the handler
};

const Route kRoutes[] = {
    {ID_CLOSE, TN_CLICKED, false, OnCloseButton, 0},
    {ID_ABOUT, TN_CLICKED, false, OnAboutButton, 0},
    {ID_TAB_HOME, TN_TOGGLED, false, OnTabHome, 0},
    {ID_TAB_SOUNDS, TN_TOGGLED, false, OnTabSounds, 0},
    {ID_TAB_SETTINGS, TN_TOGGLED, false, OnTabSettings, 0},
    {ID_DONATE, TN_CLICKED, false, OnDonate, 0},
    {ID_ABOUT_BACK, TN_CLICKED, false, OnAboutBack, 0},
    {ID_PICKER_LIST, TN_PRESSED, true, OnPickerListPressed, 0},
    {ID_PICKER_LIST, TN_MOVED, true, OnPickerListMoved, 0},
    {ID_PICKER_LIST, TN_RELEASED, true, OnPickerListReleased, 0},
    {ID_PICKER_LIST, TN_CLICKED, true, OnPickerListClicked, 0},
    {ID_PICKER_OK, TN_CLICKED, false, OnPickerOk, 0},
    {ID_PICKER_CANCEL, TN_CLICKED, false, OnPickerCancel, 0},
    {ID_HOME_SLOT1, TN_PRESSED, false, OnPlaySlot, 1},
    {ID_HOME_SLOT2, TN_PRESSED, false, OnPlaySlot, 2},
    {ID_HOME_SLOT3, TN_PRESSED, false, OnPlaySlot, 3},
    {ID_HOME_SLOT4, TN_PRESSED, false, OnPlaySlot, 4},
    {ID_HOME_SLOT5, TN_PRESSED, false, OnPlaySlot, 5},
    {ID_MOTION_TOGGLE, TN_TOGGLED, true, OnMotionToggle, 0},
    {ID_SOUNDS_OPEN1, TN_CLICKED, false, OnOpenPicker, 1},
    {ID_SOUNDS_OPEN2, TN_CLICKED, false, OnOpenPicker, 2},
    {ID_SOUNDS_OPEN3, TN_CLICKED, false, OnOpenPicker, 3},
    {ID_SOUNDS_OPEN4, TN_CLICKED, false, OnOpenPicker, 4},
    {ID_SOUNDS_OPEN5, TN_CLICKED, false, OnOpenPicker, 5},
    {ID_SOUNDS_PLAY1, TN_PRESSED, false, OnPlaySlot, 1},
    {ID_SOUNDS_PLAY2, TN_PRESSED, false, OnPlaySlot, 2},
    {ID_SOUNDS_PLAY3, TN_PRESSED, false, OnPlaySlot, 3},
    {ID_SOUNDS_PLAY4, TN_PRESSED, false, OnPlaySlot, 4},
    {ID_SOUNDS_PLAY5, TN_PRESSED, false, OnPlaySlot, 5},
    {ID_SENS_X, TN_CHANGED, true, OnSensitivity, 0},
    {ID_SENS_Y, TN_CHANGED, true, OnSensitivity, 1},
    {ID_SENS_Z, TN_CHANGED, true, OnSensitivity, 2},
    {ID_VOLUME, TN_CHANGED, true, OnVolume, 0},
};

}  // namespace

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
  int id = LOWORD(wParam), code = HIWORD(wParam);
  for (const Route& route : kRoutes) {
    if (route.id != id || route.code != code) continue;
    if (route.needsWidget && !lParam) return 0;
    route.handler(window, route.argument);
    return 0;
  }
  return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
}

BOOL LaunchBrowser(const WCHAR* program, const WCHAR* commandLine) {
  // CreateProcessW may write into the command line: it gets a copy.
  WCHAR arguments[MAX_PATH] = {};
  if (commandLine) StringCchCopyW(arguments, MAX_PATH, commandLine);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(program, arguments, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &process)) return 0;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 1;
}

void CALLBACK OnPickerListTimer(HWND window, UINT, UINT_PTR, DWORD) {
  if (TouchSelectList* list = Get(AppGlobals::PickerList)) list->Tick(window, PICKER_LIST_TIMER_ID);
}
