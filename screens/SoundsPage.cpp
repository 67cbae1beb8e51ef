// The Sounds page: a picture strip at the left, then per slot a row of 96 pixels with
// the button that opens the sound picker (folder above, file name below, folder icon at
// the left) and the button that plays the slot.
#include "screens/Compose.h"
#include "screens/ScreenWidgets.h"
#include "screens/WidgetIds.h"
#include "touchui/TouchButton.h"
#include "touchui/TouchLabel.h"
#include "touchui/TouchPicture.h"

namespace {

const int kOpenIds[5] = {ID_SOUNDS_OPEN1, ID_SOUNDS_OPEN2, ID_SOUNDS_OPEN3, ID_SOUNDS_OPEN4,
                         ID_SOUNDS_OPEN5};
const int kPlayIds[5] = {ID_SOUNDS_PLAY1, ID_SOUNDS_PLAY2, ID_SOUNDS_PLAY3, ID_SOUNDS_PLAY4,
                         ID_SOUNDS_PLAY5};

int RowTop(int slot) { return 52 + 96 * slot; }

}  // namespace

void CreateSoundsPage() {
  Create(ScreenWidgets::SoundsPicture, ID_SOUNDS_PICTURE);
  for (int i = 0; i < 5; ++i) Create(ScreenWidgets::SoundsOpen[i], kOpenIds[i]);
  for (int i = 0; i < 5; ++i) Create(ScreenWidgets::SoundsPlay[i], kPlayIds[i]);
  Create(ScreenWidgets::SoundsPage, ID_SOUNDS_PAGE);
}

void ComposeSoundsPage(const Look& look) {
  const Skin& skin = look.skin;
  TouchPicture* picture = ScreenWidgets::SoundsPicture.load();
  Frame(picture, {0, 52, 70, 480}, {{IMAGE_NORMAL, skin.Pic_OpenSoundsType}}, FRAME_SINGLE,
        FIT_CENTERED);

  for (int i = 0; i < 5; ++i) {
    TouchButtonEx* open = ScreenWidgets::SoundsOpen[i].load();
    Frame(open, {70, RowTop(i), 325, 96},
          {{IMAGE_NORMAL, skin.BtnEx_OpenSound_Up}, {IMAGE_PRESSED, skin.BtnEx_OpenSound_Dn}},
          FRAME_SINGLE, FIT_STRETCHED);
    // Upper half: the folder; lower half: the file name; both in the caption's format.
    open->ShowText(true);
    open->SetFont(skin.Font16Bold);
    open->SetTextMargins(72, 12, 12, 48);
    open->ShowSecondText(true);
    open->SetSecondFont(skin.Font14);
    open->SetSecondTextColors(RGB(204, 204, 204), RGB(0, 0, 0));
    open->SetSecondTextMargins(72, 48, 12, 12);
    // A 48 x 48 icon area at the left.
    open->ShowIcon(true);
    open->SetIconMargins(12, 24, 265, 24);

    Frame(ScreenWidgets::SoundsPlay[i].load(), {395, RowTop(i), 85, 96},
          {{IMAGE_NORMAL, skin.Btn_PlaySound_Up}, {IMAGE_PRESSED, skin.Btn_PlaySound_Dn}},
          FRAME_SINGLE, FIT_STRETCHED);
  }

  const auto& open = ScreenWidgets::SoundsOpen;
  const auto& play = ScreenWidgets::SoundsPlay;
  Panel(ScreenWidgets::SoundsPage.load(), {0, 52, 480, look.screen.H - 160},
        {picture, open[0].load(), open[1].load(), open[2].load(), open[3].load(),
         open[4].load(), play[0].load(), play[1].load(), play[2].load(), play[3].load(),
         play[4].load()});
}
