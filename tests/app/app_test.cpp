// The assembled program end to end: start-up behind the splash screen, touches, motion,
// navigation with its transitions, the sound picker and the settings, on a small test
// content (two collections, the default skin, the sensor stand-in).
#include <mmsystem.h>

#include <string>
#include <vector>
#include <wince/soundsink.h>

#include "AppRun.h"
#include "app/KeepAwakeTimer.h"
#include "app/Pages.h"
#include "app/Splash.h"
#include "motion/ShakeDetector.h"
#include "sound/SoundBank.h"
#include "sound/SoundSlots.h"
#include "touchui/TouchButton.h"
#include "touchui/TouchCheckBox.h"
#include "touchui/TouchCombo.h"
#include "touchui/TouchLabel.h"
#include "touchui/TouchPicture.h"
#include "touchui/TouchSelectList.h"

namespace {

using namespace apptest;
using G = AppGlobals;
using wince::test::Frame;

// Slot k plays a sound of its own.
const char kSlots[] =
    "\"SoundSlot1Folder\"=\"Chimes\"\n\"SoundSlot1Name\"=\"Glass.wav\"\n"
    "\"SoundSlot2Folder\"=\"Chimes\"\n\"SoundSlot2Name\"=\"Triangle.wav\"\n"
    "\"SoundSlot3Folder\"=\"Chimes\"\n\"SoundSlot3Name\"=\"Soft Bell.wav\"\n"
    "\"SoundSlot4Folder\"=\"Tones\"\n\"SoundSlot4Name\"=\"Beep.wav\"\n"
    "\"SoundSlot5Folder\"=\"Tones\"\n\"SoundSlot5Name\"=\"Pluck.wav\"\n";

std::u16string SlotPath(int slot) { return G::Slots.load()->Entry(slot)->Path; }

// The device paths played since the last call.
std::vector<std::u16string> Played() {
  wince::test::WaitSoundIdle();
  std::vector<std::u16string> paths;
  for (const wince::test::SoundPlay& play : wince::test::SoundPlays()) paths.push_back(play.devicePath);
  wince::test::ClearSoundPlays();
  return paths;
}

bool MotionRuns() {
  return G::DetectorX.load()->Active && G::DetectorY.load()->Active && G::DetectorZ.load()->Active &&
         G::KeepAwake.load()->Running;
}

using AppTest = AppRun;

TEST_F(AppTest, SplashShowsEachStepUntilHomeAppearsAtThreeSecondsAndNoTouchGetsThrough) {
  WriteSettings(kSlots);
  Start();
  struct Step {
    const char16_t* text;
    UINT percent;
  };
  const Step steps[] = {{u"Loading...", 0},           {u"Init HTC Sensor...", 10},  {u"Loading Settings...", 20},
                        {u"Loading Skin...", 30},     {u"Loading SoundBank...", 40}, {u"Init SoundSlots...", 50},
                        {u"Init SoundMotion...", 60}, {u"Init TouchUI...", 70},     {u"Apply TouchUI Data...", 80},
                        {u"Apply Settings...", 90},   {u"Init Screen...", 100}};
  // The bar: 360 pixels from x 60 at y 480..495, in a grey frame, its track dark grey.
  const COLORREF track = 0x333333, frame = 0x808080;
  const int barY = 488;
  wince::test::ClearSoundPlays();
  for (const Step& step : steps) {
    SCOPED_TRACE(std::string(step.text, step.text + std::char_traits<char16_t>::length(step.text)));
    WCHAR text[MAX_PATH];
    G::Splash.load()->GetText(text);
    EXPECT_EQ(std::u16string(text), step.text);
    int filled = 360 * int(step.percent) / 100;
    EXPECT_EQ(D().Pixel(59, barY), frame);
    if (filled > 0) {
      EXPECT_NE(D().Pixel(60 + filled - 1, barY), track);
    }
    if (filled < 360) {
      EXPECT_EQ(D().Pixel(60 + filled, barY), track);
    }
    // Touches at the Home slots and the motion toggle reach nothing.
    for (POINT p : {POINT{240, 130}, POINT{240, 290}, POINT{400, 130}}) D().Tap(p.x, p.y);
    D().AdvanceTime(20);
  }
  // Every step is done; the screen panel is shown, but loading has not ended.
  D().AdvanceTime(kLoadingMs - 220 - 1);
  EXPECT_EQ(G::Loading.load(), 1);
  D().Tap(240, 130);
  D().Tap(400, 130);
  D().Activate(false);
  D().Activate(true);
  Frame splash = D().Snapshot();
  EXPECT_TRUE(Played().empty());

  D().AdvanceTime(1);
  EXPECT_EQ(G::Loading.load(), 0);
  EXPECT_NE(D().Snapshot().pixels, splash.pixels);
  EXPECT_TRUE(G::HomePage.load()->IsVisible());
  EXPECT_TRUE(G::TabHome.load()->IsChecked());
  EXPECT_FALSE(G::MotionToggle.load()->IsChecked());
  EXPECT_EQ(TextOf(G::MotionToggle.load()), u"OFF");
  EXPECT_EQ(CloseAndWait(), 0);
}

TEST_F(AppTest, ACloseDuringLoadingIsCarriedOutWhenLoadingEnds) {
  Start();
  D().AdvanceTime(100);
  D().Close();
  EXPECT_FALSE(D().Exited());
  D().AdvanceTime(kLoadingMs);
  EXPECT_EQ(D().WaitForExit(), 0);
  EXPECT_NE(RegistryText().find("\"SensitivityX\"=dword:00000005"), std::string::npos);
}

TEST_F(AppTest, SlotButtonsPlayAtStylusDownAndTheListPreviewPlaysTheTappedRow) {
  WriteSettings(kSlots);
  StartLoaded();
  Played();
  for (int slot = 1; slot <= 5; ++slot) {
    POINT p = Centre(G::HomeSlot[slot - 1].load());
    D().StylusDown(p.x, p.y);
    EXPECT_EQ(Played(), std::vector<std::u16string>{SlotPath(slot)}) << "Home slot " << slot;
    D().StylusUp(p.x, p.y);
  }
  Navigate(G::TabSounds.load());
  for (int slot = 1; slot <= 5; ++slot) {
    POINT p = Centre(G::SoundsPlay[slot - 1].load());
    D().StylusDown(p.x, p.y);
    EXPECT_EQ(Played(), std::vector<std::u16string>{SlotPath(slot)}) << "Sounds play " << slot;
    D().StylusUp(p.x, p.y);
  }
  Navigate(G::SoundsOpen[0].load());
  TouchSelectList* list = G::PickerList.load();
  for (int row : {2, 0, 4}) {
    D().Tap(240, list->Y() + row * list->RowHeight() + list->RowHeight() / 2);
    EXPECT_EQ(Played(), std::vector<std::u16string>{G::Bank.load()->EntryAt(row)->Path}) << "row " << row;
    // The list's release step ends before the next tap.
    D().AdvanceTime(100);
  }
  EXPECT_EQ(CloseAndWait(), 0);
}

struct ShakeCase {
  const char* trace;
  int slot;
};
void PrintTo(const ShakeCase& c, std::ostream* os) { *os << c.trace; }

class MotionTest : public AppRun, public ::testing::WithParamInterface<ShakeCase> {};

TEST_P(MotionTest, ToggleOnPlaysTheShakesSlotOnceAndAPageChangeOrDeactivationTurnsItOff) {
  setenv("WINCE_SENSOR", "trace", 1);
  setenv("WINCE_SENSOR_TRACE", (std::string(TRACES_DIR) + GetParam().trace + ".csv").c_str(), 1);
  WriteSettings(kSlots);
  StartLoaded();
  TouchCheckBox* toggle = G::MotionToggle.load();
  Tap(toggle);
  EXPECT_TRUE(toggle->IsChecked());
  EXPECT_EQ(TextOf(toggle), u"ON");
  EXPECT_TRUE(MotionRuns());
  Played();
  // The trace shakes 8 s after the sensor opened and is over by 10 s.
  D().AdvanceTime(7000);
  EXPECT_EQ(Played(), std::vector<std::u16string>{SlotPath(GetParam().slot)});

  Navigate(G::TabSounds.load());
  EXPECT_FALSE(toggle->IsChecked());
  EXPECT_EQ(TextOf(toggle), u"OFF");
  EXPECT_FALSE(G::DetectorX.load()->Active || G::KeepAwake.load()->Running);
  Navigate(G::TabHome.load());
  Tap(toggle);
  EXPECT_TRUE(MotionRuns());
  D().Activate(false);
  EXPECT_EQ(TextOf(toggle), u"OFF");
  EXPECT_FALSE(G::DetectorY.load()->Active || G::KeepAwake.load()->Running);
  D().Activate(true);
  EXPECT_FALSE(toggle->IsChecked());
  EXPECT_EQ(CloseAndWait(), 0);
}

INSTANTIATE_TEST_SUITE_P(Directions, MotionTest,
                         ::testing::Values(ShakeCase{"shake-minus-y", 1}, ShakeCase{"shake-plus-x", 2},
                                           ShakeCase{"shake-plus-y", 3}, ShakeCase{"shake-minus-x", 4},
                                           ShakeCase{"shake-z", 5}),
                         [](const auto& info) { return std::string("Slot") + std::to_string(info.param.slot); });

// Where a transition frame takes its pixel (x, y) from: the old or the new screen, and where.
struct Source {
  bool incoming;
  int x, y;
};

Source TransitionSource(int kind, int x, int y, int w, int h, double progress) {
  int ox = int(w * progress), oy = int(h * progress);
  switch (kind) {
    case PUSH_LEFT: return x < w - ox ? Source{false, x + ox, y} : Source{true, x - (w - ox), y};
    case PUSH_RIGHT: return x < ox ? Source{true, x + w - ox, y} : Source{false, x - ox, y};
    case PUSH_UP: return y < h - oy ? Source{false, x, y + oy} : Source{true, x, y - (h - oy)};
    case PUSH_DOWN: return y < oy ? Source{true, x, y + h - oy} : Source{false, x, y - oy};
    case UNCOVER_UPWARD: return y < h - oy ? Source{false, x, y + oy} : Source{true, x, y};
    case COVER_FROM_TOP: return y < oy ? Source{true, x, y + h - oy} : Source{false, x, y};
  }
  ADD_FAILURE() << "no expectation for kind " << kind;
  return {};
}

// Pixels on a grid through the whole screen and around the moving edge.
void ExpectComposed(const Frame& frame, const Frame& old, const Frame& fresh, int kind, double progress) {
  int mismatches = 0;
  for (int y = 0; y < frame.height; y += 7)
    for (int x = 0; x < frame.width; x += 5) {
      Source s = TransitionSource(kind, x, y, frame.width, frame.height, progress);
      uint32_t expected = s.incoming ? fresh.At(s.x, s.y) : old.At(s.x, s.y);
      if (frame.At(x, y) != expected && ++mismatches < 5)
        ADD_FAILURE() << "kind " << kind << " at " << x << "," << y;
    }
}

struct NavigationStep {
  const char* name;
  const TouchControl* (*target)();
  int kind;  // 0: no transition
  const TouchControl* (*shown)();
};

// A widget global, read when the step runs.
#define WIDGET(global) +[]() -> const TouchControl* { return G::global.load(); }

const NavigationStep kNavigation[] = {
    {"Sounds from Home", WIDGET(TabSounds), PUSH_LEFT, WIDGET(SoundsPage)},
    {"Settings", WIDGET(TabSettings), PUSH_LEFT, WIDGET(SettingsPage)},
    {"Sounds from Settings", WIDGET(TabSounds), PUSH_RIGHT, WIDGET(SoundsPage)},
    {"Home", WIDGET(TabHome), PUSH_RIGHT, WIDGET(HomePage)},
    {"Home again", WIDGET(TabHome), 0, WIDGET(HomePage)},
    {"About", WIDGET(AboutButton), COVER_FROM_TOP, WIDGET(AboutPage)},
    {"BACK", WIDGET(AboutBack), UNCOVER_UPWARD, WIDGET(Pages)},
    {"Sounds", WIDGET(TabSounds), PUSH_LEFT, WIDGET(SoundsPage)},
    {"picker", WIDGET(SoundsOpen[0]), PUSH_DOWN, WIDGET(PickerPage)},
    {"CANCEL", WIDGET(PickerCancel), PUSH_UP, WIDGET(Pages)},
    {"picker again", WIDGET(SoundsOpen[1]), PUSH_DOWN, WIDGET(PickerPage)},
    {"a row", WIDGET(PickerList), 0, WIDGET(PickerPage)},
    {"OK", WIDGET(PickerOk), PUSH_UP, WIDGET(Pages)},
};

TEST_F(AppTest, NavigationComposesEachTransitionFromTheOldAndNewScreens) {
  WriteSettings(kSlots);
  StartLoaded();
  TransitionAnimator* animator = G::Animator.load();
  for (const NavigationStep& step : kNavigation) {
    SCOPED_TRACE(step.name);
    POINT p = Centre(step.target());
    Frame shown = D().Snapshot();
    D().StylusDown(p.x, p.y);
    Frame pressed = D().Snapshot();
    D().StylusUp(p.x, p.y);
    if (!step.kind) {
      EXPECT_FALSE(animator->IsRunning());
      if (step.target() != G::PickerList.load()) {
        EXPECT_EQ(D().Snapshot().pixels, shown.pixels);
      }
      continue;
    }
    ASSERT_TRUE(animator->IsRunning());
    EXPECT_EQ(animator->GetKind(), step.kind);
    Frame old = wince::test::CaptureBitmap(G::OutgoingBuffer.Bitmap);
    EXPECT_EQ(old.pixels, pressed.pixels) << "the old screen is the frame on screen";
    D().AdvanceTime(150);
    Frame middle = D().Snapshot();
    double progress = animator->GetProgress();
    EXPECT_GT(progress, 0.3);
    EXPECT_LT(progress, 0.6);
    Frame fresh = wince::test::CaptureBitmap(G::IncomingBuffer.Bitmap);
    ExpectComposed(middle, old, fresh, step.kind, progress);
    D().AdvanceTime(kTransitionDoneMs - 150);
    EXPECT_FALSE(animator->IsRunning());
    EXPECT_TRUE(step.shown()->IsVisible());
    EXPECT_EQ(D().Snapshot().pixels, fresh.pixels) << "the new screen stays";
  }
  EXPECT_EQ(CloseAndWait(), 0);
}

TEST_F(AppTest, ATabTappedMidTransitionStartsFromTheFrameOnScreenAndAnimationsOffJumps) {
  StartLoaded();
  Frame home = D().Snapshot();
  Tap(G::TabSounds.load());
  D().AdvanceTime(150);
  Frame onScreen = D().Snapshot();
  Tap(G::TabSettings.load());
  EXPECT_EQ(wince::test::CaptureBitmap(G::OutgoingBuffer.Bitmap).pixels, onScreen.pixels);
  D().AdvanceTime(kTransitionDoneMs);

  // Animations off: the next page is on screen at once, with no frame in between.
  Tap(G::Anim.load());
  ASSERT_FALSE(G::Anim.load()->IsChecked());
  Tap(G::TabHome.load());
  EXPECT_FALSE(G::Animator.load()->IsRunning());
  EXPECT_EQ(D().Snapshot().pixels, home.pixels);
  EXPECT_EQ(CloseAndWait(), 0);
}

// Two taps 0 ms apart: the tab's command runs before the second tap reaches the tab, so
// the second finds the page's tab already locked and changes nothing.
TEST_F(AppTest, AFastDoubleTapOnATabShowsItsPageWithItsTabChecked) {
  StartLoaded();
  struct Case {
    const char* name;
    TouchCheckBox* tab;
    TouchControl* page;
  } cases[] = {{"Sounds", G::TabSounds.load(), G::SoundsPage.load()},
               {"Settings", G::TabSettings.load(), G::SettingsPage.load()},
               {"Home", G::TabHome.load(), G::HomePage.load()}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    POINT p = Centre(c.tab);
    D().DoubleTap(p.x, p.y);
    D().AdvanceTime(kTransitionDoneMs);
    EXPECT_TRUE(c.page->IsVisible());
    for (TouchCheckBox* tab : {G::TabHome.load(), G::TabSounds.load(), G::TabSettings.load()})
      EXPECT_EQ(tab->IsChecked(), tab == c.tab);
  }
  Frame settled = D().Snapshot();
  D().DoubleTap(Centre(G::TabHome.load()).x, Centre(G::TabHome.load()).y);
  D().AdvanceTime(kTransitionDoneMs);
  EXPECT_EQ(D().Snapshot().pixels, settled.pixels) << "the shown page's tab does nothing";
  EXPECT_EQ(CloseAndWait(), 0);
}

int RowOf(const SoundEntry* entry) {
  const SoundBank* bank = G::Bank.load();
  for (int i = 0; i < bank->Count(); ++i)
    if (bank->EntryAt(i) == entry) return i;
  return -1;
}

TEST_F(AppTest, PickerListsTheBankAndAssignsTheChosenSound) {
  WriteSettings(kSlots);
  StartLoaded();
  const SoundBank* bank = G::Bank.load();
  TouchSelectList* list = G::PickerList.load();
  ASSERT_EQ(list->ItemCount(), bank->Count());
  for (int i = 0; i < bank->Count(); ++i) {
    SelectListItem item;
    ASSERT_TRUE(list->GetItem(i, &item));
    EXPECT_EQ(std::u16string(item.Text), bank->EntryAt(i)->Folder);
    EXPECT_EQ(std::u16string(item.SecondText), bank->EntryAt(i)->Name);
  }
  EXPECT_EQ(list->GetSelection(), -1);
  auto tapRow = [&](int row) { D().Tap(240, list->Y() + row * list->RowHeight() + list->RowHeight() / 2); };

  // OK without a selection stays on the picker; CANCEL forgets the slot.
  Navigate(G::TabSounds.load());
  Navigate(G::SoundsOpen[2].load());
  EXPECT_EQ(G::PickerSlotId, 99);
  Navigate(G::PickerOk.load());
  EXPECT_TRUE(G::PickerPage.load()->IsVisible());
  Navigate(G::PickerCancel.load());
  EXPECT_EQ(G::PickerSlotId, 0);
  EXPECT_TRUE(G::SoundsPage.load()->IsVisible());

  // OK on slot 3 with another collection's sound: both of slot 3's buttons show it.
  const SoundEntry* before = G::Slots.load()->Entry(3);
  int row = 0;
  while (!std::u16string(bank->EntryAt(row)->Folder).compare(before->Folder)) ++row;
  const SoundEntry* chosen = bank->EntryAt(row);
  Navigate(G::SoundsOpen[2].load());
  tapRow(row);
  Navigate(G::PickerOk.load());
  EXPECT_EQ(G::PickerSlotId, 99);
  EXPECT_EQ(G::Slots.load()->Entry(3), chosen);
  EXPECT_EQ(TextOf(G::SoundsOpen[2].load()), chosen->Folder);
  WCHAR second[MAX_PATH];
  G::SoundsOpen[2].load()->GetSecondText(second);
  EXPECT_EQ(std::u16string(second), chosen->Name);
  Navigate(G::TabHome.load());
  // The icon sits centred in the slot's 96 x 96 icon area.
  POINT centre = Centre(G::HomeSlot[2].load());
  Frame icon = wince::test::CaptureBitmap(chosen->LargeIcon);
  uint32_t iconCentre = icon.At(icon.width / 2, icon.height / 2);
  EXPECT_EQ(D().Pixel(centre.x, centre.y), RGB(iconCentre >> 16, (iconCentre >> 8) & 0xFF, iconCentre & 0xFF));

  // "Glass.wav" is in both collections: the later row assigns its own entry, not the
  // earlier collection's.
  const SoundEntry* first = bank->FindByName(u"Glass.wav");
  int later = bank->Count() - 1;
  while (std::u16string(bank->EntryAt(later)->Name) != u"Glass.wav") --later;
  ASSERT_GT(later, RowOf(first));
  Navigate(G::TabSounds.load());
  Navigate(G::SoundsOpen[3].load());
  tapRow(later);
  Navigate(G::PickerOk.load());
  EXPECT_EQ(G::Slots.load()->Entry(4), bank->EntryAt(later));
  EXPECT_EQ(TextOf(G::SoundsOpen[3].load()), bank->EntryAt(later)->Folder);
  EXPECT_EQ(CloseAndWait(), 0);
}

// A row tapped before CANCEL is forgotten: the next opening, from another slot or the
// same one, starts with nothing selected, and OK then leaves the picker up and the slot
// as it was.
TEST_F(AppTest, EveryPickerOpeningStartsWithNothingSelected) {
  WriteSettings(kSlots);
  StartLoaded();
  const SoundSlots* slots = G::Slots.load();
  TouchSelectList* list = G::PickerList.load();
  int row = 0;
  while (G::Bank.load()->EntryAt(row) == slots->Entry(2) || G::Bank.load()->EntryAt(row) == slots->Entry(4)) ++row;
  Navigate(G::TabSounds.load());
  for (int reopenedSlot : {4, 2}) {
    SCOPED_TRACE(reopenedSlot);
    Navigate(G::SoundsOpen[1].load());
    D().Tap(240, list->Y() + row * list->RowHeight() + list->RowHeight() / 2);
    ASSERT_EQ(list->GetSelection(), row);
    Navigate(G::PickerCancel.load());
    const SoundEntry* before = slots->Entry(reopenedSlot);
    Navigate(G::SoundsOpen[reopenedSlot - 1].load());
    EXPECT_EQ(list->GetSelection(), -1);
    Navigate(G::PickerOk.load());
    EXPECT_TRUE(G::PickerPage.load()->IsVisible());
    EXPECT_EQ(slots->Entry(reopenedSlot), before);
    Navigate(G::PickerCancel.load());
  }
  EXPECT_EQ(CloseAndWait(), 0);
}

// A saved slot is found by its collection and name; the name alone decides only when the
// collection no longer holds the file. "Glass.wav" is in Chimes and Tones.
struct LookupCase {
  const char* name;
  const char* storedFolder;
  const char16_t* foundFolder;
};
void PrintTo(const LookupCase& c, std::ostream* os) { *os << c.name; }

class SlotLookupTest : public AppRun, public ::testing::WithParamInterface<LookupCase> {};

TEST_P(SlotLookupTest, StartUpFindsTheSavedCollectionsSoundAndSavesItBack) {
  WriteSettings(std::string("\"SoundSlot1Folder\"=\"") + GetParam().storedFolder +
                "\"\n\"SoundSlot1Name\"=\"Glass.wav\"\n");
  StartLoaded();
  const SoundEntry* entry = G::Slots.load()->Entry(1);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(std::u16string(entry->Folder), GetParam().foundFolder);
  EXPECT_EQ(std::u16string(entry->Name), u"Glass.wav");
  EXPECT_EQ(TextOf(G::SoundsOpen[0].load()), GetParam().foundFolder);
  Played();
  Tap(G::HomeSlot[0].load());
  EXPECT_EQ(Played(), std::vector<std::u16string>{entry->Path});
  EXPECT_EQ(CloseAndWait(), 0);
  std::u16string folder = GetParam().foundFolder;
  EXPECT_NE(RegistryText().find("\"SoundSlot1Folder\"=\"" + std::string(folder.begin(), folder.end()) + "\""),
            std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Collections, SlotLookupTest,
                         ::testing::Values(LookupCase{"Later", "Tones", u"Tones"},
                                           LookupCase{"Earlier", "Chimes", u"Chimes"},
                                           LookupCase{"OtherCase", "tones", u"Tones"},
                                           LookupCase{"CollectionGone", "Birds", u"Chimes"},
                                           LookupCase{"NoCollection", "", u"Chimes"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppTest, SettingsApplyAtOnceReachTheRegistryAtCloseAndComeBackAfterARestart) {
  WriteSettings(kSlots);
  StartLoaded();
  Navigate(G::TabSettings.load());
  // The right end of the X picker steps from 5 to 6.
  TouchCombo* sensX = G::SensX.load();
  D().Tap(sensX->X() + sensX->Width() - 10, sensX->Y() + sensX->Height() / 2);
  EXPECT_EQ(sensX->GetSelectedValue(), 6);
  EXPECT_EQ(G::DetectorX.load()->MinPeak, 750);
  EXPECT_EQ(RegistryText().find("dword:00000006"), std::string::npos);

  // X with "X-Button (Close):" off minimises; the program keeps running.
  Tap(G::Anim.load());
  Tap(G::XClose.load());
  Tap(G::CloseButton.load());
  EXPECT_FALSE(D().Exited());
  EXPECT_EQ(D().FullScreenState(), 21u);
  D().Activate(true);
  // Slot 2 gets another sound.
  Tap(G::TabSounds.load());
  Tap(G::SoundsOpen[1].load());
  TouchSelectList* list = G::PickerList.load();
  const SoundBank* bank = G::Bank.load();
  int row = bank->EntryAt(0) == G::Slots.load()->Entry(2) ? 1 : 0;
  D().Tap(240, list->Y() + row * list->RowHeight() + list->RowHeight() / 2);
  Tap(G::PickerOk.load());
  std::u16string folder = bank->EntryAt(row)->Folder, name = bank->EntryAt(row)->Name;
  ASSERT_EQ(G::Slots.load()->Entry(2), bank->EntryAt(row));
  Tap(G::TabSettings.load());
  // With it on, X saves and ends the program.
  Tap(G::XClose.load());
  Tap(G::CloseButton.load());
  EXPECT_EQ(D().WaitForExit(), 0);
  driver_.reset();
  std::string saved = RegistryText();
  EXPECT_NE(saved.find("\"SensitivityX\"=dword:00000006"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\"AnimationsOn\"=dword:00000000"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\"XButtonClose\"=dword:00000001"), std::string::npos) << saved;

  KeepObjectsOfThisRun();
  StartLoaded();
  EXPECT_EQ(G::SensX.load()->GetSelectedValue(), 6);
  EXPECT_EQ(G::SensY.load()->GetSelectedValue(), 5);
  EXPECT_EQ(G::DetectorX.load()->MinPeak, 750);
  EXPECT_FALSE(G::Anim.load()->IsChecked());
  EXPECT_TRUE(G::XClose.load()->IsChecked());
  EXPECT_EQ(TextOf(G::SoundsOpen[1].load()), folder);
  WCHAR second[MAX_PATH];
  G::SoundsOpen[1].load()->GetSecondText(second);
  EXPECT_EQ(std::u16string(second), name);
  EXPECT_EQ(TextOf(G::SoundsOpen[4].load()), u"Tones");
  EXPECT_EQ(CloseAndWait(), 0);
}

// The desktop as a host shows no device taskbar: leaving full screen changes nothing on
// screen, and a minimise that no window manager carries out leaves the program shown,
// painted and answering, its first tap making it active again.
TEST_F(AppTest, LosingTheFocusOrAMinimiseTheHostCannotCarryOutChangesNothingOnScreen) {
  WriteSettings(kSlots);
  StartLoaded();
  Frame home = D().Snapshot();
  D().Activate(false);
  EXPECT_EQ(D().FullScreenState(), 21u);
  RECT rect;
  GetWindowRect(D().Window(), &rect);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.bottom, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(D().Snapshot().pixels, home.pixels);
  D().Activate(true);

  Navigate(G::TabSettings.load());
  Tap(G::XClose.load());
  ASSERT_FALSE(G::XClose.load()->IsChecked());
  Frame settings = D().Snapshot();
  Tap(G::CloseButton.load());
  EXPECT_FALSE(D().Exited());
  EXPECT_EQ(D().FullScreenState(), 21u);
  EXPECT_EQ(D().Snapshot().pixels, settings.pixels) << "the X button's released look is painted";
  Navigate(G::TabHome.load());
  EXPECT_EQ(D().FullScreenState(), 42u);
  EXPECT_EQ(D().Snapshot().pixels, home.pixels);
  EXPECT_EQ(CloseAndWait(), 0);
}

// On a desktop the mouse wheel scrolls the picker list as a drag of the same distance
// would: three rows a notch, snapped into range, no fling, the selection kept; elsewhere
// it does nothing. The user folder adds the default collections, so the list is long.
TEST_F(AppTest, TheWheelScrollsThePickerListAsADragWould) {
  fs::create_directories(folder_ / "data" / "tiltchime");
  fs::create_directory_symlink(CONTENT_DIR "/Sounds", folder_ / "data" / "tiltchime" / "Sounds");
  WriteSettings(kSlots);
  StartLoaded();
  Navigate(G::TabSounds.load());
  Navigate(G::SoundsOpen[0].load());
  TouchSelectList* list = G::PickerList.load();
  const int row = list->RowHeight(), end = list->ContentHeight() - list->Height();
  ASSERT_GT(end, 6 * row);
  D().Tap(240, list->Y() + row / 2);
  ASSERT_EQ(list->GetSelection(), 0);
  POINT over = Centre(list);
  const struct {
    const char* what;
    POINT at;
    int delta;
    int offset;
  } cases[] = {
      {"a notch towards the user", over, -WHEEL_DELTA, 3 * row},
      {"two notches", over, -2 * WHEEL_DELTA, 6 * row},
      {"half a notch of a touchpad", over, -WHEEL_DELTA / 2, 3 * row / 2},
      {"away from the user at the top", over, WHEEL_DELTA, 0},
      {"past the end", over, -100 * WHEEL_DELTA, end},
      {"over the OK button", Centre(G::PickerOk.load()), -WHEEL_DELTA, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    D().Wheel(over.x, over.y, 100 * WHEEL_DELTA);
    ASSERT_EQ(list->ScrollOffset(), 0);
    D().Wheel(c.at.x, c.at.y, c.delta);
    EXPECT_EQ(list->ScrollOffset(), c.offset);
    D().AdvanceTime(200);
    EXPECT_EQ(list->ScrollOffset(), c.offset) << "no fling";
    EXPECT_EQ(list->GetSelection(), 0);
  }
  // The picture follows: the first row shown is the one three rows down.
  D().Wheel(over.x, over.y, -WHEEL_DELTA);
  Frame scrolled = D().Snapshot();
  D().Wheel(over.x, over.y, WHEEL_DELTA);
  EXPECT_NE(D().Snapshot().pixels, scrolled.pixels);
  EXPECT_EQ(CloseAndWait(), 0);
}

struct ScreenCase {
  int width, height;
};
void PrintTo(const ScreenCase& c, std::ostream* os) { *os << c.width << "x" << c.height; }

class ScreenSizeTest : public AppRun, public ::testing::WithParamInterface<ScreenCase> {};

TEST_P(ScreenSizeTest, PagesKeepTheirPlacesAndEveryPageIsReached) {
  WriteSettings(kSlots);
  Options options;
  options.width = GetParam().width;
  options.height = GetParam().height;
  StartLoaded(options);
  int w = options.width, h = options.height;
  EXPECT_EQ(G::TabHome.load()->Y(), h - 108);
  EXPECT_EQ(G::HomePage.load()->Height(), h - 160);
  EXPECT_EQ(G::Pages.load()->Width(), 480);
  EXPECT_EQ(G::TopBarPicture.load()->Width(), w - 104);
  EXPECT_EQ(G::CloseButton.load()->X(), w - 52);
  // Right of the pages, below the top bar, nothing is drawn.
  if (w > 480) {
    EXPECT_EQ(D().Pixel(w - 1, h / 2), RGB(0, 0, 0));
  }
  const TouchControl* targets[] = {G::TabSounds.load(), G::TabSettings.load(), G::AboutButton.load(),
                                   G::AboutBack.load(), G::TabHome.load()};
  for (const TouchControl* target : targets)
    Navigate(target);
  EXPECT_TRUE(G::HomePage.load()->IsVisible());
  EXPECT_TRUE(G::Pages.load()->IsVisible());
  EXPECT_EQ(CloseAndWait(), 0);
}

INSTANTIATE_TEST_SUITE_P(Screens, ScreenSizeTest,
                         ::testing::Values(ScreenCase{480, 800}, ScreenCase{640, 800}, ScreenCase{800, 480}),
                         [](const auto& info) {
                           return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

}  // namespace

namespace {

// A second thumb: the first finger is the stylus, each further one a pointer of its own.
TEST_F(AppTest, AFurtherFingerTapsAButtonOfItsOwnWhileTheFirstHoldsOrDrags) {
  WriteSettings(kSlots);
  StartLoaded();
  Played();
  TouchButton* one = G::HomeSlot[0].load();
  TouchButton* two = G::HomeSlot[1].load();
  TouchButton* three = G::HomeSlot[2].load();
  POINT p1 = Centre(one), p2 = Centre(two), p3 = Centre(three);
  D().StylusDown(p1.x, p1.y);
  EXPECT_EQ(Played(), std::vector<std::u16string>{SlotPath(1)});
  D().FingerDown(2, p3.x, p3.y);
  EXPECT_EQ(Played(), std::vector<std::u16string>{SlotPath(3)}) << "at the second finger's touch";
  D().FingerDown(3, p2.x, p2.y);
  EXPECT_EQ(Played(), std::vector<std::u16string>{SlotPath(2)}) << "at the third finger's touch";
  EXPECT_TRUE(one->IsPressed() && two->IsPressed() && three->IsPressed());
  // A stylus move over a finger's button leaves that finger's press alone.
  D().StylusMove(p3.x, p3.y);
  EXPECT_TRUE(three->IsPressed());
  EXPECT_FALSE(one->IsPressed()) << "the stylus slid off its own button";
  D().FingerUp(2, p3.x, p3.y);
  EXPECT_FALSE(three->IsPressed());
  EXPECT_TRUE(two->IsPressed()) << "another finger's press stays";
  D().FingerUp(3, p2.x, p2.y);
  D().StylusUp(p3.x, p3.y);
  EXPECT_FALSE(two->IsPressed() || three->IsPressed());
  EXPECT_TRUE(Played().empty()) << "lifting plays nothing";

  // The picker's list, dragged by the stylus, keeps moving while a second finger taps CANCEL.
  Navigate(G::TabSounds.load());
  Navigate(G::SoundsOpen[0].load());
  TouchSelectList* list = G::PickerList.load();
  int x = list->X() + list->Width() / 2, y = list->Y() + list->Height() - 10;
  D().StylusDown(x, y);
  D().StylusMove(x, y - 40);
  int offset = list->ScrollOffset();
  TouchButton* cancel = G::PickerCancel.load();
  POINT pCancel = Centre(cancel);
  D().FingerDown(2, pCancel.x, pCancel.y);
  EXPECT_TRUE(cancel->IsPressed());
  D().StylusMove(x, y - 80);
  EXPECT_TRUE(list->IsDragging());
  EXPECT_NE(list->ScrollOffset(), offset) << "the drag goes on under the second finger";
  D().StylusUp(x, y - 80);
  D().FingerUp(2, pCancel.x, pCancel.y);
  D().AdvanceTime(kTransitionDoneMs);
  EXPECT_FALSE(G::PickerPage.load()->IsVisible()) << "CANCEL was tapped by the second finger";
  EXPECT_EQ(CloseAndWait(), 0);
}

}  // namespace
