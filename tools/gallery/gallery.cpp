// Draws every widget class in each of its states with the default skin and writes the
// sheets as PNG files, to look at the toolkit without running the program.
//
// Usage: gallery [folder]; the folder defaults to $TILTCHIME_GALLERY_DIR. The skin and
// the sound pictures are read from Skin\ and Sounds\ beside the executable.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include <aygshell.h>
#include <strsafe.h>
#include <windows.h>

#include <wince/testdriver.h>

#include "gfx/ScreenCaps.h"
#include "gfx/Skin.h"
#include "touchui/TouchButton.h"
#include "touchui/TouchCheckBox.h"
#include "touchui/TouchCombo.h"
#include "touchui/TouchLabel.h"
#include "touchui/TouchPicture.h"
#include "touchui/TouchSelectList.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBackdrop = RGB(24, 28, 36);
constexpr UINT kCentered = 0x8025;

LRESULT CALLBACK GalleryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

// A screen-sized 32-bpp drawing surface saved as one PNG.
class Sheet {
 public:
  Sheet(int width, int height) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateBitmap(width, height, 1, 32, nullptr);
    previous_ = SelectObject(dc_, bitmap_);
    RECT all = {0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(kBackdrop);
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
  }
  ~Sheet() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC Dc() const { return dc_; }

  bool Save(const std::string& folder, const char* name) const {
    std::string path = folder + "/" + name;
    bool ok = wince::test::SavePng(wince::test::CaptureBitmap(bitmap_), path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.c_str());
    return ok;
  }

 private:
  int width_;
  int height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
};

// Presses a widget through its own touch handler, as a finger on its top-left corner.
void Press(TouchControl& widget, HWND window) {
  widget.OnMouseDown(window, widget.X() + 1, widget.Y() + 1);
}

struct Gallery {
  HWND window;
  const Skin& skin;
  HBITMAP largeIcon;
  HBITMAP smallIcons[5];
  std::string folder;
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN);

  void Frame(TouchButton& b, HBITMAP up, HBITMAP down, int fit) {
    b.SetImage(up, IMAGE_NORMAL);
    b.SetImage(down, IMAGE_PRESSED);
    b.SetFrameFit(fit);
  }

  // Top bar, About in its three states, slot buttons with and without an icon,
  // the Sounds-page slot and play buttons, and the masked bottom-bar buttons.
  bool Buttons() {
    Sheet sheet(width, height);
    HDC dc = sheet.Dc();
    TouchPicture bar(16);
    bar.SetBounds(0, 0, width - 104, 52);
    bar.SetImage(skin.Pic_TopBar_App, IMAGE_NORMAL);
    bar.SetFrameFit(FIT_STRETCHED);
    bar.Draw(dc);
    TouchButton about(18), aboutDown(18), aboutOff(18), close(17), closeDown(17);
    TouchButton* top[] = {&about, &close, &aboutDown, &closeDown, &aboutOff};
    int xs[] = {width - 104, width - 52, 0, 52, 104};
    int ys[] = {0, 0, 60, 60, 60};
    for (int i = 0; i < 5; ++i) {
      bool isAbout = top[i]->Id() == 18;
      Frame(*top[i], isAbout ? skin.Btn_TopBar_About_Up : skin.Btn_TopBar_Close_Up,
            isAbout ? skin.Btn_TopBar_About_Dn : skin.Btn_TopBar_Close_Dn, FIT_STRETCHED);
      top[i]->SetImage(skin.Btn_TopBar_About_Ds, IMAGE_DISABLED);
      top[i]->SetBounds(xs[i], ys[i], 52, 52);
    }
    Press(aboutDown, window);
    Press(closeDown, window);
    Press(aboutOff, window);
    aboutOff.SetEnabled(false);  // disabled wins over the pressed flag
    for (TouchButton* b : top) b->Draw(dc);

    TouchButton slot(80), slotDown(81), slotEmpty(82);
    TouchButton* slots[] = {&slot, &slotDown, &slotEmpty};
    for (int i = 0; i < 3; ++i) {
      Frame(*slots[i], skin.Btn_SoundSlot_Up, skin.Btn_SoundSlot_Dn, FIT_CENTERED);
      slots[i]->SetBounds(160 * i, 120, 160, 160);
      slots[i]->SetIconMargins(32, 32, 32, 32);
      if (i < 2) slots[i]->SetImage(largeIcon, IMAGE_BUTTON_ICON);
    }
    Press(slotDown, window);
    for (TouchButton* b : slots) b->Draw(dc);

    TouchButtonEx open(97), openDown(98);
    TouchButton play(102), playDown(103);
    TouchButtonEx* opens[] = {&open, &openDown};
    TouchButton* plays[] = {&play, &playDown};
    for (int i = 0; i < 2; ++i) {
      TouchButtonEx& o = *opens[i];
      Frame(o, skin.BtnEx_OpenSound_Up, skin.BtnEx_OpenSound_Dn, FIT_STRETCHED);
      o.SetBounds(70, 290 + 96 * i, 325, 96);
      o.ShowText(true);
      o.SetText(i ? TEXT("Percussion") : TEXT("Chimes"));
      o.SetFont(skin.Font16Bold);
      o.SetTextMargins(72, 12, 12, 48);
      o.ShowSecondText(true);
      o.SetSecondText(i ? TEXT("A rather long file name for one line.wav")
                        : TEXT("Wind Chime.wav"));
      o.SetSecondFont(skin.Font14);
      o.SetSecondTextColors(RGB(204, 204, 204), RGB(0, 0, 0));
      o.SetSecondTextMargins(72, 48, 12, 12);
      o.SetImage(smallIcons[i * 3], IMAGE_BUTTON_ICON);
      o.SetIconMargins(12, 24, 265, 24);
      Frame(*plays[i], skin.Btn_PlaySound_Up, skin.Btn_PlaySound_Dn, FIT_STRETCHED);
      plays[i]->SetBounds(395, 290 + 96 * i, 85, 96);
    }
    Press(openDown, window);
    Press(playDown, window);
    for (TouchButtonEx* o : opens) o->Draw(dc);
    for (TouchButton* p : plays) p->Draw(dc);

    TouchPicture bottom(22);
    bottom.SetBounds(0, height - 108, 480, 108);
    bottom.SetImage(skin.Pic_BottomBar, IMAGE_NORMAL);
    bottom.SetFrameFit(FIT_STRETCHED);
    bottom.Draw(dc);
    TouchButton cancel(66), ok(65);
    TouchButton* pair[] = {&cancel, &ok};
    for (int i = 0; i < 2; ++i) {
      TouchButton& b = *pair[i];
      b.SetBounds(30 + 220 * i, height - 84, 200, 60);
      b.SetImage(skin.Btn_BottomBar_Up, IMAGE_NORMAL);
      b.SetImage(skin.Btn_BottomBar_Mask, IMAGE_NORMAL_MASK);
      b.SetImage(skin.Btn_BottomBar_Dn, IMAGE_PRESSED);
      b.SetImage(skin.Btn_BottomBar_Mask, IMAGE_PRESSED_MASK);
      b.SetFrameStyle(FRAME_MASKED);
      b.SetText(i ? TEXT("OK") : TEXT("CANCEL"));
      b.ShowText(true);
      b.SetTextFormat(kCentered);
    }
    Press(ok, window);
    cancel.Draw(dc);
    ok.Draw(dc);
    return sheet.Save(folder, "buttons.png");
  }

  // Page tabs (one checked and locked), the option boxes and the motion toggle.
  bool CheckBoxes() {
    Sheet sheet(width, height);
    HDC dc = sheet.Dc();
    HBITMAP tabs[3][2] = {{skin.Chk_BottomBar_Home_Up, skin.Chk_BottomBar_Home_Dn},
                          {skin.Chk_BottomBar_Sounds_Up, skin.Chk_BottomBar_Sounds_Dn},
                          {skin.Chk_BottomBar_Settings_Up, skin.Chk_BottomBar_Settings_Dn}};
    for (int row = 0; row < 2; ++row) {
      for (int i = 0; i < 3; ++i) {
        TouchCheckBox tab(32 + i);
        tab.SetBounds(160 * i, 120 * row, 160, 108);
        tab.SetImage(tabs[i][0], IMAGE_NORMAL);
        tab.SetImage(tabs[i][1], IMAGE_PRESSED);
        tab.SetFrameFit(FIT_STRETCHED);
        if (i == row) Press(tab, window);  // flips to checked
        tab.SetLocked(i == row);
        tab.Draw(dc);
      }
    }
    TouchLabel label(135);
    label.SetBounds(0, 250, 240, 60);
    label.SetText(TEXT("X-Button (Close):"));
    label.SetFont(skin.Font16);
    label.SetTextMargins(20, 0, 0, 0);
    label.Draw(dc);
    for (int i = 0; i < 2; ++i) {
      TouchCheckBox box(136);
      box.SetBounds(260 + 90 * i, 250, 70, 60);
      box.SetImage(skin.Chk_General_Up, IMAGE_NORMAL);
      box.SetImage(skin.Chk_General_Dn, IMAGE_PRESSED);
      box.SetFrameFit(FIT_STRETCHED);
      box.SetChecked(i == 1);
      box.Draw(dc);
    }
    for (int i = 0; i < 2; ++i) {
      TouchCheckBox toggle(85);
      toggle.SetBounds(120 + 160 * i, 340, 72, 72);
      toggle.SetImage(skin.Chk_General_2_Up, IMAGE_NORMAL);
      toggle.SetImage(skin.Chk_General_2_Dn, IMAGE_PRESSED);
      toggle.SetFrameFit(FIT_STRETCHED);
      toggle.ShowText(true);
      toggle.SetFont(skin.Font14Bold);
      toggle.SetTextFormat(0x8029);
      toggle.SetTextColors(kWhite, kWhite);
      toggle.SetTextMargins(Sx(2), Sx(2), Sx(2), Sx(2));
      toggle.SetChecked(i == 1);
      toggle.SetText(i ? TEXT("ON") : TEXT("OFF"));
      toggle.Draw(dc);
    }
    return sheet.Save(folder, "checkboxes.png");
  }

  // The sensitivity pickers: idle, each end held, disabled, nothing selected.
  bool Pickers() {
    Sheet sheet(width, height);
    HDC dc = sheet.Dc();
    const WCHAR* captions[] = {TEXT("Idle:"), TEXT("Left held:"), TEXT("Right held:"),
                               TEXT("Disabled:"), TEXT("No value:")};
    for (int i = 0; i < 5; ++i) {
      int y = 60 + 70 * i;
      TouchLabel label(129);
      label.SetBounds(0, y, 240, 60);
      label.SetText(captions[i]);
      label.SetFont(skin.Font16);
      label.SetTextMargins(60, 0, 0, 0);
      label.Draw(dc);
      TouchCombo combo(132);
      combo.SetBounds(260, y, 200, 60);
      combo.SetImage(skin.Cmb_General_Up, IMAGE_NORMAL);
      combo.SetImage(skin.Cmb_General_Dn_L, IMAGE_LEFT_PRESSED);
      combo.SetImage(skin.Cmb_General_Dn_R, IMAGE_RIGHT_PRESSED);
      combo.SetFrameFit(FIT_STRETCHED);
      combo.SetFont(skin.Font16);
      combo.SetTextFormat(kCentered);
      WCHAR text[4];
      for (int v = 1; v <= 10; ++v) combo.AddItem(_itow(v, text, 10));
      if (i != 4) combo.Select(i == 2 ? 9 : 4);
      if (i == 1) combo.OnMouseDown(window, 265, y + 5);
      if (i == 2) combo.OnMouseDown(window, 455, y + 5);
      combo.SetEnabled(i != 3);
      combo.Draw(dc);
    }
    return sheet.Save(folder, "pickers.png");
  }

  // About-page style labels in each format, and pictures centred and stretched.
  bool LabelsAndPictures() {
    Sheet sheet(width, height);
    HDC dc = sheet.Dc();
    struct Line {
      const WCHAR* text;
      HFONT font;
      UINT format;
    } lines[] = {{TEXT("TiltChime"), skin.Font18Bold, kCentered},
                 {TEXT("for Pocket PC"), skin.Font14, kCentered},
                 {TEXT("Version 1.0 BETA"), skin.Font14, 0x8021},
                 {TEXT("Sensitivity"), skin.Font16Bold, 0x8024},
                 {TEXT("A label far too long for its own rectangle gets an ellipsis"),
                  skin.Font16, 0x8024}};
    int y = 20;
    for (const Line& line : lines) {
      TouchLabel label(48);
      label.SetBounds(0, y, 480, 40);
      label.SetText(line.text);
      label.SetFont(line.font);
      label.SetTextFormat(line.format);
      label.Draw(dc);
      y += 44;
    }
    TouchPicture strip(96), stretched(16);
    strip.SetBounds(0, 240, 70, 480);  // the image's own size: no overhang
    strip.SetImage(skin.Pic_OpenSoundsType, IMAGE_NORMAL);
    stretched.SetBounds(90, 250, 380, 52);
    stretched.SetImage(skin.Pic_TopBar_App, IMAGE_NORMAL);
    stretched.SetFrameFit(FIT_STRETCHED);
    strip.Draw(dc);
    stretched.Draw(dc);
    return sheet.Save(folder, "labels_pictures.png");
  }

  // The sound picker list at rest with a selection, and mid-scroll with its bar.
  bool Lists() {
    const WCHAR* folders[] = {TEXT("Blips"), TEXT("Chimes"), TEXT("Numbers"),
                              TEXT("Percussion"), TEXT("Tones")};
    bool ok = true;
    for (int state = 0; state < 2; ++state) {
      Sheet sheet(width, height);
      TouchSelectList list(64);
      list.SetBounds(0, 52, 480, height - 160);
      list.SetMainFont(skin.Font16);
      list.SetSecondFont(skin.Font14);
      list.SetSeparatorStyle(SEPARATOR_IMAGE);
      list.SetSeparatorImage(skin.Slt_Separator);
      list.SetSelectionStyle(SELECTION_PATTERN);
      list.SetSelectionImage(skin.Slt_ItemSelected);
      for (int i = 0; i < 30; ++i) {
        SelectListItem item = {};
        StringCchCopyW(item.Text, MAX_PATH, folders[i % 5]);
        WCHAR number[12];
        StringCchCopyW(item.SecondText, MAX_PATH, TEXT("Sound "));
        StringCchCatW(item.SecondText, MAX_PATH, _itow(i + 1, number, 10));
        StringCchCatW(item.SecondText, MAX_PATH, TEXT(".wav"));
        item.Icon = smallIcons[i % 5];
        list.AddItem(item);
      }
      int rowMiddle = list.RowHeight() / 2;
      if (state == 0) {
        list.OnMouseDown(window, 200, 52 + list.RowHeight() + rowMiddle);
        list.OnMouseUp(window, 200, 52 + list.RowHeight() + rowMiddle);
      } else {
        list.OnMouseDown(window, 200, 400);
        list.OnMouseMove(window, 200, 400 - 3 * list.RowHeight() - rowMiddle);
        list.OnMouseUp(window, 200, 400 - 3 * list.RowHeight() - rowMiddle);
        list.OnMouseDown(window, 200, 52 + 2 * list.RowHeight());
        list.OnMouseUp(window, 200, 52 + 2 * list.RowHeight());
      }
      list.Draw(sheet.Dc());
      ok = sheet.Save(folder, state == 0 ? "list_top.png" : "list_scrolled.png") && ok;
    }
    return ok;
  }
};

std::u16string AppFolder() {
  WCHAR path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::u16string folder(path);
  return folder.substr(0, folder.rfind(u'\\') + 1);
}

}  // namespace

int main(int argc, char** argv) {
  const char* env = std::getenv("TILTCHIME_GALLERY_DIR");
  std::string folder = argc > 1 ? argv[1] : env ? env : "";
  if (folder.empty()) {
    std::fprintf(stderr, "usage: gallery <folder> (or set TILTCHIME_GALLERY_DIR)\n");
    return 2;
  }
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = GalleryProc;
  windowClass.lpszClassName = TEXT("TouchGallery");
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, TEXT("TouchGallery"), TEXT("gallery"), 0, 0, 0, 480, 640,
                                nullptr, nullptr, nullptr, nullptr);

  std::u16string app = AppFolder();
  Skin skin;
  skin.LoadSkin((app + u"Skin\\").c_str());
  const char16_t* names[] = {u"Blips", u"Chimes", u"Numbers", u"Percussion", u"Tones"};
  Gallery gallery{window, skin, nullptr, {}, folder};
  for (int i = 0; i < 5; ++i) {
    std::u16string base = app + u"Sounds\\" + names[i] + u"\\" + names[i];
    gallery.smallIcons[i] = SHLoadImageFile((base + u"S.png").c_str());
    if (i == 1) gallery.largeIcon = SHLoadImageFile((base + u"B.png").c_str());
  }

  bool ok = gallery.Buttons();
  ok = gallery.CheckBoxes() && ok;
  ok = gallery.Pickers() && ok;
  ok = gallery.LabelsAndPictures() && ok;
  ok = gallery.Lists() && ok;

  for (HBITMAP icon : gallery.smallIcons) DeleteObject(icon);
  DeleteObject(gallery.largeIcon);
  skin.ReleaseSkin();
  DestroyWindow(window);
  return ok ? 0 : 1;
}
