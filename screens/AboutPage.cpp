// The About page: title lines, the About picture, the maker's addresses, the donation
// button, the rights notice and BACK on the bottom bar.
#include "screens/Compose.h"
#include "screens/ScreenWidgets.h"
#include "screens/WidgetIds.h"
#include "touchui/TouchButton.h"
#include "touchui/TouchLabel.h"
#include "touchui/TouchPicture.h"

namespace {

struct Line {
  std::atomic<TouchLabel*>& widget;
  int id;
  int y;  // from the top, or above the screen's bottom edge when fromBottom
  bool fromBottom;
  const WCHAR* text;
  HFONT Skin::*font;
  UINT format;
};

const Line kLines[] = {
    {ScreenWidgets::AboutTitle, ID_ABOUT_TITLE, 75, false, TEXT("TiltChime"), &Skin::Font18Bold,
     TEXT_CENTERED},
    {ScreenWidgets::AboutPlatform, ID_ABOUT_PLATFORM, 115, false, TEXT("for Pocket PC"),
     &Skin::Font14, TEXT_CENTERED},
    {ScreenWidgets::AboutVersion, ID_ABOUT_VERSION, 155, false, TEXT("Version 1.0 BETA"),
     &Skin::Font14, TEXT_CENTERED_TOP},
    {ScreenWidgets::AboutWeb, ID_ABOUT_WEB, 235, false, TEXT("www.example.com/tiltchime"),
     &Skin::Font14, TEXT_CENTERED},
    {ScreenWidgets::AboutEmail, ID_ABOUT_EMAIL, 275, false, TEXT("tiltchime@example.org"),
     &Skin::Font14, TEXT_CENTERED_TOP},
    {ScreenWidgets::AboutNotice, ID_ABOUT_NOTICE, 148, true, TEXT("(c) 2026 The TiltChime authors"),
     &Skin::Font14, TEXT_CENTERED},
};

}  // namespace

void CreateAboutPage() {
  for (const Line& line : kLines) Create(line.widget, line.id);
  Create(ScreenWidgets::AboutPicture, ID_ABOUT_PICTURE);
  Create(ScreenWidgets::DonateButton, ID_DONATE);
  Create(ScreenWidgets::AboutBack, ID_ABOUT_BACK);
  Create(ScreenWidgets::AboutPage, ID_ABOUT_PAGE);
}

void ComposeAboutPage(const Look& look) {
  const int H = look.screen.H;
  for (const Line& line : kLines) {
    Text(line.widget.load(), {0, line.fromBottom ? H - line.y : line.y, 480, 40}, line.text,
         look.skin.*line.font, line.format);
  }
  TouchPicture* picture = ScreenWidgets::AboutPicture.load();
  Frame(picture, {0, 195, 480, 40}, {{IMAGE_NORMAL, look.aboutPicture}}, FRAME_SINGLE,
        FIT_CENTERED);
  TouchButton* donate = ScreenWidgets::DonateButton.load();
  Frame(donate, {149, 402, 184, 52},
        {{IMAGE_NORMAL, look.donateUp}, {IMAGE_PRESSED, look.donateDown}}, FRAME_SINGLE,
        FIT_STRETCHED);
  TouchButton* back = ScreenWidgets::AboutBack.load();
  BottomBarButton(back, look, 140, TEXT("BACK"));

  Panel(ScreenWidgets::AboutPage.load(), {0, 52, 480, H - 52},
        {ScreenWidgets::AboutTitle.load(), ScreenWidgets::AboutPlatform.load(),
         ScreenWidgets::AboutVersion.load(), picture, ScreenWidgets::AboutWeb.load(),
         ScreenWidgets::AboutEmail.load(), donate, ScreenWidgets::AboutNotice.load(), back});
}
