// The Home page: the five slot buttons as a cross of 160 x 160 cells (slot 1 on top,
// then clockwise, slot 5 in the middle) and the switch of motion playback.
#include "gfx/ScreenCaps.h"
#include "screens/Compose.h"
#include "screens/ScreenWidgets.h"
#include "screens/WidgetIds.h"
#include "touchui/TouchButton.h"
#include "touchui/TouchCheckBox.h"

namespace {

const POINT kSlotCells[5] = {{160, 52}, {320, 212}, {160, 372}, {0, 212}, {160, 212}};

constexpr COLORREF kWhite = RGB(255, 255, 255);

}  // namespace

void CreateHomePage() {
  for (int i = 0; i < 5; ++i) Create(ScreenWidgets::HomeSlot[i], ID_HOME_SLOT1 + i);
  Create(ScreenWidgets::MotionToggle, ID_MOTION_TOGGLE);
  Create(ScreenWidgets::HomePage, ID_HOME_PAGE);
}

void ComposeHomePage(const Look& look) {
  const Skin& skin = look.skin;
  for (int i = 0; i < 5; ++i) {
    TouchButton* slot = ScreenWidgets::HomeSlot[i].load();
    // The images keep their own size; the sound's icon fills the 96 x 96 middle.
    Frame(slot, {kSlotCells[i].x, kSlotCells[i].y, 160, 160},
          {{IMAGE_NORMAL, skin.Btn_SoundSlot_Up}, {IMAGE_PRESSED, skin.Btn_SoundSlot_Dn}},
          FRAME_SINGLE, FIT_CENTERED);
    slot->ShowIcon(true);
    slot->SetIconMargins(32, 32, 32, 32);
  }

  TouchCheckBox* toggle = ScreenWidgets::MotionToggle.load();
  Frame(toggle, {364, 96, 72, 72},
        {{IMAGE_NORMAL, skin.Chk_General_2_Up}, {IMAGE_PRESSED, skin.Chk_General_2_Dn}},
        FRAME_SINGLE, FIT_STRETCHED);
  // "ON" or "OFF" sits at the bottom of the switch, white in both states.
  toggle->ShowText(true);
  toggle->SetFont(skin.Font14Bold);
  toggle->SetTextFormat(TEXT_CENTERED_BOTTOM);
  toggle->SetTextColors(kWhite, kWhite);
  toggle->SetTextMargins(Sx(2), Sx(2), Sx(2), Sx(2));

  const auto& slots = ScreenWidgets::HomeSlot;
  Panel(ScreenWidgets::HomePage.load(), {0, 52, 480, look.screen.H - 160},
        {slots[0].load(), slots[1].load(), slots[2].load(), slots[3].load(), slots[4].load(),
         toggle});
}
