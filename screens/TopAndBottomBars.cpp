// The top bar (picture, About and close buttons across the whole width) and the bottom
// bar (its picture and the three page tabs, 480 pixels wide at the left).
#include "screens/Compose.h"
#include "screens/ScreenWidgets.h"
#include "screens/WidgetIds.h"
#include "touchui/TouchButton.h"
#include "touchui/TouchCheckBox.h"
#include "touchui/TouchLabel.h"
#include "touchui/TouchPicture.h"

namespace {

struct Tab {
  std::atomic<TouchCheckBox*>& widget;
  int id;
  int x;
  HBITMAP Skin::*up;
  HBITMAP Skin::*down;
};

const Tab kTabs[] = {
    {ScreenWidgets::TabHome, ID_TAB_HOME, 0, &Skin::Chk_BottomBar_Home_Up,
     &Skin::Chk_BottomBar_Home_Dn},
    {ScreenWidgets::TabSounds, ID_TAB_SOUNDS, 160, &Skin::Chk_BottomBar_Sounds_Up,
     &Skin::Chk_BottomBar_Sounds_Dn},
    {ScreenWidgets::TabSettings, ID_TAB_SETTINGS, 320, &Skin::Chk_BottomBar_Settings_Up,
     &Skin::Chk_BottomBar_Settings_Dn},
};

}  // namespace

void CreateTabs() {
  for (const Tab& tab : kTabs) Create(tab.widget, tab.id);
}

void ComposeTabs(const Look& look) {
  const Skin& skin = look.skin;
  for (const Tab& tab : kTabs) {
    Frame(tab.widget.load(), {tab.x, look.screen.H - 108, 160, 108},
          {{IMAGE_NORMAL, skin.*tab.up}, {IMAGE_PRESSED, skin.*tab.down}}, FRAME_SINGLE,
          FIT_STRETCHED);
  }
}

void CreateBars() {
  Create(ScreenWidgets::TopBarPicture, ID_TOPBAR_PICTURE);
  Create(ScreenWidgets::CloseButton, ID_CLOSE);
  Create(ScreenWidgets::AboutButton, ID_ABOUT);
  Create(ScreenWidgets::BottomBarPicture, ID_BOTTOMBAR_PICTURE);
}

void ComposeBars(const Look& look) {
  const Skin& skin = look.skin;
  const int W = look.screen.W;
  const int H = look.screen.H;
  Frame(ScreenWidgets::TopBarPicture.load(), {0, 0, W - 104, 52},
        {{IMAGE_NORMAL, skin.Pic_TopBar_App}}, FRAME_SINGLE, FIT_STRETCHED);
  Frame(ScreenWidgets::CloseButton.load(), {W - 52, 0, 52, 52},
        {{IMAGE_NORMAL, skin.Btn_TopBar_Close_Up}, {IMAGE_PRESSED, skin.Btn_TopBar_Close_Dn}},
        FRAME_SINGLE, FIT_STRETCHED);
  Frame(ScreenWidgets::AboutButton.load(), {W - 104, 0, 52, 52},
        {{IMAGE_NORMAL, skin.Btn_TopBar_About_Up},
         {IMAGE_PRESSED, skin.Btn_TopBar_About_Dn},
         {IMAGE_DISABLED, skin.Btn_TopBar_About_Ds}},
        FRAME_SINGLE, FIT_STRETCHED);
  Frame(ScreenWidgets::BottomBarPicture.load(), {0, H - 108, 480, 108},
        {{IMAGE_NORMAL, skin.Pic_BottomBar}}, FRAME_SINGLE, FIT_STRETCHED);
}
