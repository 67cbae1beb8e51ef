#include "app/AppGlobals.h"
#include "screens/Compose.h"
#include "screens/Screens.h"
#include "screens/WidgetIds.h"
#include "touchui/TouchButton.h"
#include "touchui/TouchCheckBox.h"
#include "touchui/TouchLabel.h"

int InitTouchUI() {
  // Without a skin or resources the widgets are built all the same and draw no images.
  static const Skin kNoSkin;
  const Skin* skin = AppGlobals::TheSkin.load(std::memory_order_acquire);
  const AppResources* resources = AppGlobals::Resources.load(std::memory_order_acquire);
  const Look look{skin ? *skin : kNoSkin,
                  resources ? resources->AboutPicture : nullptr,
                  resources ? resources->DonateUp : nullptr,
                  resources ? resources->DonateDown : nullptr,
                  {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}};
  const int W = look.screen.W;
  const int H = look.screen.H;

  // Every widget exists and is published before any is configured.
  CreateTabs();
  CreateHomePage();
  CreateSoundsPage();
  CreateSettingsPage();
  TouchPanel* pages = Create(AppGlobals::Pages, ID_PAGES);
  CreateAboutPage();
  CreatePickerPage();
  CreateBars();
  TouchPanel* screen = Create(AppGlobals::Screen, ID_SCREEN);
  TouchPanel* root = new TouchPanel(ID_ROOT);

  // Each panel is linked right after its children are configured.
  ComposeTabs(look);
  ComposeHomePage(look);
  ComposeSoundsPage(look);
  ComposeSettingsPage(look);
  Panel(pages, {0, 52, 480, H - 52},
        {AppGlobals::TabHome.load(), AppGlobals::TabSounds.load(), AppGlobals::TabSettings.load(),
         AppGlobals::HomePage.load(), AppGlobals::SoundsPage.load(),
         AppGlobals::SettingsPage.load()});
  ComposeAboutPage(look);
  ComposePickerPage(look);
  ComposeBars(look);
  Panel(screen, {0, 0, W, H},
        {AppGlobals::TopBarPicture.load(), AppGlobals::CloseButton.load(),
         AppGlobals::AboutButton.load(), AppGlobals::BottomBarPicture.load(), pages,
         AppGlobals::AboutPage.load(), AppGlobals::PickerPage.load()});
  Place(root, {0, 0, W, H});
  root->AddChild(screen);

  // Input reaches the tree only from here on, and only a complete one.
  AppGlobals::RootPanel.store(root, std::memory_order_release);
  return 1;
}
