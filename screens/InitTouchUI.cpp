#include "screens/Compose.h"
#include "screens/ScreenWidgets.h"
#include "screens/Screens.h"
#include "screens/WidgetIds.h"
#include "touchui/TouchButton.h"
#include "touchui/TouchCheckBox.h"
#include "touchui/TouchLabel.h"
#include "touchui/TouchPicture.h"

int InitTouchUI(const Skin* skin, const PagePictures& pictures) {
  static const Skin kNoSkin;
  const Look look{skin ? *skin : kNoSkin, pictures.About, pictures.DonateUp, pictures.DonateDown,
                  {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}};
  const int W = look.screen.W;
  const int H = look.screen.H;

  // Every widget exists and is published before any is configured.
  CreateTabs();
  CreateHomePage();
  CreateSoundsPage();
  CreateSettingsPage();
  TouchPanel* pages = Create(ScreenWidgets::Pages, ID_PAGES);
  CreateAboutPage();
  CreatePickerPage();
  CreateBars();
  TouchPanel* screen = Create(ScreenWidgets::Screen, ID_SCREEN);
  TouchPanel* root = new TouchPanel(ID_ROOT);

  // Each panel is linked right after its children are configured.
  ComposeTabs(look);
  ComposeHomePage(look);
  ComposeSoundsPage(look);
  ComposeSettingsPage(look);
  Panel(pages, {0, 52, 480, H - 52},
        {ScreenWidgets::TabHome.load(), ScreenWidgets::TabSounds.load(), ScreenWidgets::TabSettings.load(),
         ScreenWidgets::HomePage.load(), ScreenWidgets::SoundsPage.load(),
         ScreenWidgets::SettingsPage.load()});
  ComposeAboutPage(look);
  ComposePickerPage(look);
  ComposeBars(look);
  Panel(screen, {0, 0, W, H},
        {ScreenWidgets::TopBarPicture.load(), ScreenWidgets::CloseButton.load(),
         ScreenWidgets::AboutButton.load(), ScreenWidgets::BottomBarPicture.load(), pages,
         ScreenWidgets::AboutPage.load(), ScreenWidgets::PickerPage.load()});
  Place(root, {0, 0, W, H});
  root->AddChild(screen);

  // Input reaches the tree only from here on, and only a complete one.
  ScreenWidgets::RootPanel.store(root, std::memory_order_release);
  return 1;
}
