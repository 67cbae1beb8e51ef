// The Settings page: captions on the left half, their controls on the right; the output
// volume row exists but stays hidden.
#include "screens/Compose.h"
#include "screens/ScreenWidgets.h"
#include "screens/WidgetIds.h"
#include "touchui/TouchCheckBox.h"
#include "touchui/TouchCombo.h"
#include "touchui/TouchLabel.h"

namespace {

struct Caption {
  std::atomic<TouchLabel*>& widget;
  int id;
  Box box;
  const WCHAR* text;
  HFONT Skin::*font;
  int indent;
  bool visible;
};

const Caption kCaptions[] = {
    {ScreenWidgets::SensTitle, ID_SENS_TITLE, {0, 60, 240, 40}, TEXT("Sensitivity"),
     &Skin::Font16Bold, 20, true},
    {ScreenWidgets::SensXLabel, ID_SENS_X_LABEL, {0, 102, 240, 60}, TEXT("X-axis:"), &Skin::Font16,
     60, true},
    {ScreenWidgets::SensYLabel, ID_SENS_Y_LABEL, {0, 172, 240, 60}, TEXT("Y-axis:"), &Skin::Font16,
     60, true},
    {ScreenWidgets::SensZLabel, ID_SENS_Z_LABEL, {0, 242, 240, 60}, TEXT("Z-axis:"), &Skin::Font16,
     60, true},
    {ScreenWidgets::XCloseLabel, ID_XCLOSE_LABEL, {0, 312, 240, 60}, TEXT("X-Button (Close):"),
     &Skin::Font16, 20, true},
    {ScreenWidgets::AnimLabel, ID_ANIM_LABEL, {0, 380, 240, 60}, TEXT("Animations:"),
     &Skin::Font16, 20, true},
    {ScreenWidgets::VolumeLabel, ID_VOLUME_LABEL, {0, 448, 240, 60}, TEXT("Output Volume:"),
     &Skin::Font16, 20, false},
};

// The value steppers: sensitivities 1 to 10 per axis, and the volume.
struct Stepper {
  std::atomic<TouchCombo*>& widget;
  int id;
  int y;
  bool visible;
};

const Stepper kSteppers[] = {
    {ScreenWidgets::SensX, ID_SENS_X, 102, true},
    {ScreenWidgets::SensY, ID_SENS_Y, 172, true},
    {ScreenWidgets::SensZ, ID_SENS_Z, 242, true},
    {ScreenWidgets::Volume, ID_VOLUME, 448, false},
};

struct Option {
  std::atomic<TouchCheckBox*>& widget;
  int id;
  int y;
};

const Option kOptions[] = {
    {ScreenWidgets::XClose, ID_XCLOSE, 312},
    {ScreenWidgets::Anim, ID_ANIM, 380},
};

}  // namespace

void CreateSettingsPage() {
  for (const Caption& caption : kCaptions) Create(caption.widget, caption.id);
  for (const Stepper& stepper : kSteppers) Create(stepper.widget, stepper.id);
  for (const Option& option : kOptions) Create(option.widget, option.id);
  Create(ScreenWidgets::SettingsPage, ID_SETTINGS_PAGE);
}

void ComposeSettingsPage(const Look& look) {
  const Skin& skin = look.skin;
  for (const Caption& caption : kCaptions) {
    TouchLabel* label = caption.widget.load();
    Text(label, caption.box, caption.text, skin.*caption.font, TEXT_LEFT);
    label->SetTextMargins(caption.indent, 0, 0, 0);
    label->SetVisible(caption.visible);
  }
  for (const Stepper& stepper : kSteppers) {
    TouchCombo* combo = stepper.widget.load();
    Frame(combo, {260, stepper.y, 200, 60},
          {{IMAGE_NORMAL, skin.Cmb_General_Up},
           {IMAGE_LEFT_PRESSED, skin.Cmb_General_Dn_L},
           {IMAGE_RIGHT_PRESSED, skin.Cmb_General_Dn_R}},
          FRAME_SINGLE, FIT_STRETCHED);
    combo->SetFont(skin.Font16);
    combo->SetTextFormat(TEXT_CENTERED);
    combo->SetVisible(stepper.visible);
  }
  for (const Option& option : kOptions) {
    Frame(option.widget.load(), {260, option.y, 70, 60},
          {{IMAGE_NORMAL, skin.Chk_General_Up}, {IMAGE_PRESSED, skin.Chk_General_Dn}},
          FRAME_SINGLE, FIT_STRETCHED);
  }

  Panel(ScreenWidgets::SettingsPage.load(), {0, 52, 480, look.screen.H - 160},
        {ScreenWidgets::SensTitle.load(), ScreenWidgets::SensXLabel.load(),
         ScreenWidgets::SensYLabel.load(), ScreenWidgets::SensZLabel.load(), ScreenWidgets::SensX.load(),
         ScreenWidgets::SensY.load(), ScreenWidgets::SensZ.load(), ScreenWidgets::XCloseLabel.load(),
         ScreenWidgets::XClose.load(), ScreenWidgets::AnimLabel.load(), ScreenWidgets::Anim.load(),
         ScreenWidgets::VolumeLabel.load(), ScreenWidgets::Volume.load()});
}
