// The composed widget tree: every widget once, in its place, at several screen sizes.
#include <map>
#include <set>
#include <vector>
#include <wince/testdriver.h>
#include <windows.h>

#include "app/AppGlobals.h"
#include "screens/Screens.h"
#include "screens/WidgetIds.h"
#include "tests/touchui/TouchTestSupport.h"
#include "touchui/TouchButton.h"
#include "touchui/TouchCheckBox.h"
#include "touchui/TouchCombo.h"
#include "touchui/TouchLabel.h"
#include "touchui/TouchPicture.h"
#include "touchui/TouchSelectList.h"

namespace {

struct Size {
  int W;
  int H;
};

void PrintTo(const Size& size, std::ostream* os) { *os << size.W << "x" << size.H; }

// Every panel's children by id, in painting and input order.
const std::map<int, std::vector<int>> kChildren = {
    {ID_ROOT, {ID_SCREEN}},
    {ID_SCREEN,
     {ID_TOPBAR_PICTURE, ID_CLOSE, ID_ABOUT, ID_BOTTOMBAR_PICTURE, ID_PAGES, ID_ABOUT_PAGE,
      ID_PICKER_PAGE}},
    {ID_PAGES,
     {ID_TAB_HOME, ID_TAB_SOUNDS, ID_TAB_SETTINGS, ID_HOME_PAGE, ID_SOUNDS_PAGE,
      ID_SETTINGS_PAGE}},
    {ID_HOME_PAGE,
     {ID_HOME_SLOT1, ID_HOME_SLOT2, ID_HOME_SLOT3, ID_HOME_SLOT4, ID_HOME_SLOT5,
      ID_MOTION_TOGGLE}},
    {ID_SOUNDS_PAGE,
     {ID_SOUNDS_PICTURE, ID_SOUNDS_OPEN1, ID_SOUNDS_OPEN2, ID_SOUNDS_OPEN3, ID_SOUNDS_OPEN4,
      ID_SOUNDS_OPEN5, ID_SOUNDS_PLAY1, ID_SOUNDS_PLAY2, ID_SOUNDS_PLAY3, ID_SOUNDS_PLAY4,
      ID_SOUNDS_PLAY5}},
    {ID_SETTINGS_PAGE,
     {ID_SENS_TITLE, ID_SENS_X_LABEL, ID_SENS_Y_LABEL, ID_SENS_Z_LABEL, ID_SENS_X, ID_SENS_Y,
      ID_SENS_Z, ID_XCLOSE_LABEL, ID_XCLOSE, ID_ANIM_LABEL, ID_ANIM, ID_VOLUME_LABEL,
      ID_VOLUME}},
    {ID_ABOUT_PAGE,
     {ID_ABOUT_TITLE, ID_ABOUT_PLATFORM, ID_ABOUT_VERSION, ID_ABOUT_PICTURE, ID_ABOUT_WEB,
      ID_ABOUT_EMAIL, ID_DONATE, ID_ABOUT_NOTICE, ID_ABOUT_BACK}},
    {ID_PICKER_PAGE, {ID_PICKER_LIST, ID_PICKER_OK, ID_PICKER_CANCEL}},
};

// Every global with the id of the widget it must hold.
std::vector<std::pair<const TouchControl*, int>> Globals() {
  using G = AppGlobals;
  std::vector<std::pair<const TouchControl*, int>> globals = {
      {G::RootPanel, ID_ROOT}, {G::Screen, ID_SCREEN}, {G::TopBarPicture, ID_TOPBAR_PICTURE},
      {G::CloseButton, ID_CLOSE}, {G::AboutButton, ID_ABOUT},
      {G::BottomBarPicture, ID_BOTTOMBAR_PICTURE}, {G::Pages, ID_PAGES},
      {G::AboutPage, ID_ABOUT_PAGE}, {G::PickerPage, ID_PICKER_PAGE},
      {G::TabHome, ID_TAB_HOME}, {G::TabSounds, ID_TAB_SOUNDS},
      {G::TabSettings, ID_TAB_SETTINGS}, {G::HomePage, ID_HOME_PAGE},
      {G::SoundsPage, ID_SOUNDS_PAGE}, {G::SettingsPage, ID_SETTINGS_PAGE},
      {G::MotionToggle, ID_MOTION_TOGGLE}, {G::SoundsPicture, ID_SOUNDS_PICTURE},
      {G::SensTitle, ID_SENS_TITLE}, {G::SensXLabel, ID_SENS_X_LABEL},
      {G::SensYLabel, ID_SENS_Y_LABEL}, {G::SensZLabel, ID_SENS_Z_LABEL},
      {G::SensX, ID_SENS_X}, {G::SensY, ID_SENS_Y}, {G::SensZ, ID_SENS_Z},
      {G::XCloseLabel, ID_XCLOSE_LABEL}, {G::XClose, ID_XCLOSE}, {G::AnimLabel, ID_ANIM_LABEL},
      {G::Anim, ID_ANIM}, {G::VolumeLabel, ID_VOLUME_LABEL}, {G::Volume, ID_VOLUME},
      {G::AboutTitle, ID_ABOUT_TITLE}, {G::AboutPlatform, ID_ABOUT_PLATFORM},
      {G::AboutVersion, ID_ABOUT_VERSION}, {G::AboutPicture, ID_ABOUT_PICTURE},
      {G::AboutWeb, ID_ABOUT_WEB}, {G::AboutEmail, ID_ABOUT_EMAIL},
      {G::DonateButton, ID_DONATE}, {G::AboutNotice, ID_ABOUT_NOTICE},
      {G::AboutBack, ID_ABOUT_BACK}, {G::PickerList, ID_PICKER_LIST},
      {G::PickerOk, ID_PICKER_OK}, {G::PickerCancel, ID_PICKER_CANCEL},
  };
  const int playIds[5] = {ID_SOUNDS_PLAY1, ID_SOUNDS_PLAY2, ID_SOUNDS_PLAY3, ID_SOUNDS_PLAY4,
                          ID_SOUNDS_PLAY5};
  for (int i = 0; i < 5; ++i) {
    globals.push_back({G::HomeSlot[i], ID_HOME_SLOT1 + i});
    globals.push_back({G::SoundsOpen[i], ID_SOUNDS_OPEN1 + i});
    globals.push_back({G::SoundsPlay[i], playIds[i]});
  }
  return globals;
}

// The places that follow the screen, and some that must not.
struct Place {
  const char* what;
  const TouchControl* widget;
  RECT bounds;
};

std::vector<Place> Places(int W, int H) {
  using G = AppGlobals;
  return {
      {"page area", G::HomePage, {0, 52, 480, H - 108}},
      {"settings page", G::SettingsPage, {0, 52, 480, H - 108}},
      {"tabbed pages", G::Pages, {0, 52, 480, H}},
      {"full-height page", G::PickerPage, {0, 52, 480, H}},
      {"home tab", G::TabHome, {0, H - 108, 160, H}},
      {"settings tab", G::TabSettings, {320, H - 108, 480, H}},
      {"bottom bar", G::BottomBarPicture, {0, H - 108, 480, H}},
      {"BACK", G::AboutBack, {140, H - 84, 340, H - 24}},
      {"OK", G::PickerOk, {250, H - 84, 450, H - 24}},
      {"CANCEL", G::PickerCancel, {30, H - 84, 230, H - 24}},
      {"rights notice", G::AboutNotice, {0, H - 148, 480, H - 108}},
      {"sound list", G::PickerList, {0, 52, 480, H - 108}},
      {"top-bar picture", G::TopBarPicture, {0, 0, W - 104, 52}},
      {"About button", G::AboutButton, {W - 104, 0, W - 52, 52}},
      {"close button", G::CloseButton, {W - 52, 0, W, 52}},
      {"top slot", G::HomeSlot[0], {160, 52, 320, 212}},
      {"middle slot", G::HomeSlot[4], {160, 212, 320, 372}},
      {"motion toggle", G::MotionToggle, {364, 96, 436, 168}},
      {"X sensitivity", G::SensX, {260, 102, 460, 162}},
      {"last open button", G::SoundsOpen[4], {70, 436, 395, 532}},
      {"donate", G::DonateButton, {149, 402, 333, 454}},
      {"root", G::RootPanel, {0, 0, W, H}},
      {"screen", G::Screen, {0, 0, W, H}},
  };
}

// The screen's size is set (by the driver, before any window exists) for each test; the
// widgets' notifications go to the base's window.
class ScreensTest : public WindowTest, public ::testing::WithParamInterface<Size> {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    ASSERT_EQ(InitTouchUI(), 1);
  }

  // Taps every 8th pixel of the screen; returns the ids of the commands posted.
  std::set<int> TapEverywhere() {
    TouchPanel* root = AppGlobals::RootPanel;
    for (int y = 0; y < GetParam().H; y += 8) {
      for (int x = 0; x < GetParam().W; x += 8) {
        root->DispatchMouseDown(window_, x, y);
        root->DispatchMouseUp(window_, x, y);
      }
    }
    std::set<int> ids;
    for (const Posted& command : Drain()) ids.insert(command.id);
    return ids;
  }

  wince::test::Driver screen_{{GetParam().W, GetParam().H, 192}};
};

TEST_P(ScreensTest, EveryWidgetOnceUnderItsPanelInOrder) {
  std::map<int, const TouchControl*> byId;
  std::vector<const TouchControl*> walk = {AppGlobals::RootPanel};
  ASSERT_NE(walk[0], nullptr);
  while (!walk.empty()) {
    const TouchControl* widget = walk.back();
    walk.pop_back();
    EXPECT_TRUE(byId.emplace(widget->Id(), widget).second) << "id " << widget->Id() << " twice";
    auto expected = kChildren.find(widget->Id());
    const auto* panel = dynamic_cast<const TouchPanel*>(widget);
    if (expected == kChildren.end()) {
      EXPECT_EQ(panel, nullptr) << "id " << widget->Id();
      continue;
    }
    ASSERT_NE(panel, nullptr) << "id " << widget->Id();
    std::vector<int> ids;
    for (const TouchControl* child : panel->Children()) {
      ids.push_back(child->Id());
      EXPECT_EQ(child->Owner(), panel);
      walk.push_back(child);
    }
    EXPECT_EQ(ids, expected->second) << "children of " << widget->Id();
  }
  EXPECT_EQ(byId.size(), 57u);

  const auto globals = Globals();
  EXPECT_EQ(globals.size(), 57u);
  for (const auto& [widget, id] : globals) EXPECT_EQ(byId[id], widget) << "global of id " << id;

  // Only the root shows; the volume row stays hidden for good.
  for (const auto& [id, widget] : byId) {
    const bool hiddenAtStart = kChildren.count(id) && id != ID_ROOT;
    const bool hiddenForGood = id == ID_VOLUME || id == ID_VOLUME_LABEL;
    EXPECT_EQ(widget->IsVisible(), !hiddenAtStart && !hiddenForGood) << "id " << id;
  }
}

TEST_P(ScreensTest, PlacesFollowTheScreenWherePagesNeedIt) {
  for (const Place& place : Places(GetParam().W, GetParam().H)) {
    ASSERT_NE(place.widget, nullptr) << place.what;
    SkinRect r;
    place.widget->GetBounds(&r);
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
              (std::vector<LONG>{place.bounds.left, place.bounds.top, place.bounds.right,
                                 place.bounds.bottom}))
        << place.what;
  }
}

TEST_P(ScreensTest, NothingAnswersUntilThePagesAreShownAndTheVolumeNever) {
  EXPECT_EQ(TapEverywhere(), std::set<int>{});

  for (TouchPanel* panel : {AppGlobals::Screen.load(), AppGlobals::Pages.load(),
                            AppGlobals::SettingsPage.load()}) {
    panel->SetVisible(true);
  }
  const std::set<int> answered = TapEverywhere();
  EXPECT_EQ(answered, (std::set<int>{ID_CLOSE, ID_ABOUT, ID_TAB_HOME, ID_TAB_SOUNDS,
                                     ID_TAB_SETTINGS, ID_SENS_X, ID_SENS_Y, ID_SENS_Z,
                                     ID_XCLOSE, ID_ANIM}));
}

INSTANTIATE_TEST_SUITE_P(Sizes, ScreensTest,
                         ::testing::Values(Size{480, 640}, Size{480, 800}, Size{640, 800}),
                         [](const auto& info) {
                           return std::to_string(info.param.W) + "x" +
                                  std::to_string(info.param.H);
                         });

}  // namespace
