#include "gfx/Skin.h"

#include <aygshell.h>
#include <strsafe.h>

#include <initializer_list>

#include "gfx/Draw.h"
#include "gfx/ScreenCaps.h"
#include "report/TellUser.h"

namespace {

const WCHAR kFontFace[] = TEXT("HelveticaNeue LT 35 Thin");

bool Exists(const WCHAR* path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

// Tells the user what is wrong with a skin image that did not load or does not fit.
void CheckSkinImage(const WCHAR* path, HBITMAP bitmap, const Skin::ImageField& image) {
  WCHAR width[12], height[12];
  const WCHAR* w = NumberText(image.width, width);
  const WCHAR* h = NumberText(image.height, height);
  if (!bitmap) {
    if (!Exists(path)) {
      TellUser({TEXT("skin image "), path, TEXT(" is missing: put a "), w, TEXT(" x "), h,
                TEXT(" PNG there")});
    } else {
      TellUser({TEXT("skin image "), path, TEXT(" cannot be read: save it again as a "), w,
                TEXT(" x "), h, TEXT(" PNG")});
    }
    return;
  }
  int actualWidth = 0, actualHeight = 0;
  if (!image.ownSize || !GetBitmapSize(bitmap, &actualWidth, &actualHeight)) return;
  if (actualWidth <= image.width && actualHeight <= image.height) return;
  WCHAR actualW[12], actualH[12];
  TellUser({TEXT("skin image "), path, TEXT(" is "), NumberText(actualWidth, actualW), TEXT(" x "),
            NumberText(actualHeight, actualH), TEXT(", larger than its "), w, TEXT(" x "), h,
            TEXT(" place, and is cut to fit: make it "), w, TEXT(" x "), h, TEXT(" at most")});
}

// Loads folder + fileName, or gives null when the path would not fit in MAX_PATH: a
// truncated path could name another file.
HBITMAP LoadSkinImage(const WCHAR* folder, const Skin::ImageField& image) {
  WCHAR path[MAX_PATH];
  if (FAILED(StringCchCopyW(path, MAX_PATH, folder)) ||
      FAILED(StringCchCatW(path, MAX_PATH, image.fileName))) {
    TellUser({TEXT("skin folder "), folder, TEXT(" has too long a path: move the program higher up")});
    return nullptr;
  }
  HBITMAP bitmap = SHLoadImageFile(path);
  CheckSkinImage(path, bitmap, image);
  return bitmap;
}

}  // namespace

// Field order, except that the disabled About button loads before its other two looks.
// Each with the size it is drawn at on the 480-pixel-wide screen; the centred ones keep
// their own size, so that size is the most they may have.
const Skin::ImageField Skin::kImages[Skin::kImageCount] = {
    {&Skin::Pic_TopBar_App, TEXT("Pic_TopBar_App.png"), 376, 52, false},
    {&Skin::Btn_TopBar_Close_Up, TEXT("Btn_TopBar_Close_Up.png"), 52, 52, false},
    {&Skin::Btn_TopBar_Close_Dn, TEXT("Btn_TopBar_Close_Dn.png"), 52, 52, false},
    {&Skin::Btn_TopBar_About_Ds, TEXT("Btn_TopBar_About_Ds.png"), 52, 52, false},
    {&Skin::Btn_TopBar_About_Up, TEXT("Btn_TopBar_About_Up.png"), 52, 52, false},
    {&Skin::Btn_TopBar_About_Dn, TEXT("Btn_TopBar_About_Dn.png"), 52, 52, false},
    {&Skin::Chk_BottomBar_Home_Up, TEXT("Chk_BottomBar_Home_Up.png"), 160, 108, false},
    {&Skin::Chk_BottomBar_Home_Dn, TEXT("Chk_BottomBar_Home_Dn.png"), 160, 108, false},
    {&Skin::Chk_BottomBar_Sounds_Up, TEXT("Chk_BottomBar_Sounds_Up.png"), 160, 108, false},
    {&Skin::Chk_BottomBar_Sounds_Dn, TEXT("Chk_BottomBar_Sounds_Dn.png"), 160, 108, false},
    {&Skin::Chk_BottomBar_Settings_Up, TEXT("Chk_BottomBar_Settings_Up.png"), 160, 108, false},
    {&Skin::Chk_BottomBar_Settings_Dn, TEXT("Chk_BottomBar_Settings_Dn.png"), 160, 108, false},
    {&Skin::Btn_SoundSlot_Up, TEXT("Btn_SoundSlot_Up.png"), 160, 160, true},
    {&Skin::Btn_SoundSlot_Dn, TEXT("Btn_SoundSlot_Dn.png"), 160, 160, true},
    {&Skin::Pic_OpenSoundsType, TEXT("Pic_OpenSoundsType.png"), 70, 480, true},
    {&Skin::BtnEx_OpenSound_Up, TEXT("BtnEx_OpenSound_Up.png"), 325, 96, false},
    {&Skin::BtnEx_OpenSound_Dn, TEXT("BtnEx_OpenSound_Dn.png"), 325, 96, false},
    {&Skin::Btn_PlaySound_Up, TEXT("Btn_PlaySound_Up.png"), 85, 96, false},
    {&Skin::Btn_PlaySound_Dn, TEXT("Btn_PlaySound_Dn.png"), 85, 96, false},
    {&Skin::Cmb_General_Up, TEXT("Cmb_General_Up.png"), 200, 60, false},
    {&Skin::Cmb_General_Dn_L, TEXT("Cmb_General_Dn_L.png"), 200, 60, false},
    {&Skin::Cmb_General_Dn_R, TEXT("Cmb_General_Dn_R.png"), 200, 60, false},
    {&Skin::Chk_General_Up, TEXT("Chk_General_Up.png"), 70, 60, false},
    {&Skin::Chk_General_Dn, TEXT("Chk_General_Dn.png"), 70, 60, false},
    {&Skin::Chk_General_2_Up, TEXT("Chk_General_2_Up.png"), 72, 72, false},
    {&Skin::Chk_General_2_Dn, TEXT("Chk_General_2_Dn.png"), 72, 72, false},
    {&Skin::Btn_General_Up, TEXT("Btn_General_Up.png"), 200, 60, false},
    {&Skin::Btn_General_Dn, TEXT("Btn_General_Dn.png"), 200, 60, false},
    {&Skin::Btn_BottomBar_Up, TEXT("Btn_BottomBar_Up.png"), 200, 60, true},
    {&Skin::Btn_BottomBar_Dn, TEXT("Btn_BottomBar_Dn.png"), 200, 60, true},
    {&Skin::Btn_BottomBar_Mask, TEXT("Btn_BottomBar_Mask.png"), 200, 60, true},
    {&Skin::Pic_BottomBar, TEXT("Pic_BottomBar.png"), 480, 108, false},
    {&Skin::Slt_Separator, TEXT("Slt_Separator.png"), 480, 1, false},
    {&Skin::Slt_ItemSelected, TEXT("Slt_ItemSelected.png"), 8, 80, false},
};

int Skin::LoadSkin(const WCHAR* skinFolder) {
  // Without the folder one line says so, rather than one for each of its images.
  if (skinFolder && !Exists(skinFolder)) {
    TellUser({TEXT("skin folder "), skinFolder, TEXT(" is missing: reinstall the program")});
    skinFolder = nullptr;
  }
  for (const ImageField& image : kImages) {
    this->*image.field = skinFolder ? LoadSkinImage(skinFolder, image) : nullptr;
  }
  // Heights are pixels at 96 DPI rounded to the screen's vertical resolution; without a
  // screen they come out 0 and the font mapper picks its default height.
  Font14 = CreateSkinFont(kFontFace, Sy(14), false, false, false);
  Font16 = CreateSkinFont(kFontFace, Sy(16), false, false, false);
  Font18 = CreateSkinFont(kFontFace, Sy(18), false, false, false);
  Font14Bold = CreateSkinFont(kFontFace, Sy(14), true, false, false);
  Font16Bold = CreateSkinFont(kFontFace, Sy(16), true, false, false);
  Font18Bold = CreateSkinFont(kFontFace, Sy(18), true, false, false);
  return 1;
}

void Skin::ReleaseSkin() {
  for (const ImageField& image : kImages) {
    HBITMAP& bitmap = this->*image.field;
    if (bitmap) DeleteObject(bitmap);
    bitmap = nullptr;
  }
  for (HFONT* font : {&Font14, &Font16, &Font18, &Font14Bold, &Font16Bold, &Font18Bold}) {
    if (*font) DeleteObject(*font);
    *font = nullptr;
  }
}
