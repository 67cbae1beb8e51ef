#include "gfx/Skin.h"

#include <aygshell.h>
#include <strsafe.h>

#include <initializer_list>

#include "app/ScreenCaps.h"
#include "gfx/Draw.h"

namespace {

const WCHAR kFontFace[] = TEXT("HelveticaNeue LT 35 Thin");

// Loads folder + fileName, or gives null when the path would not fit in MAX_PATH: a
// truncated path could name another file.
HBITMAP LoadSkinImage(const WCHAR* folder, const WCHAR* fileName) {
  WCHAR path[MAX_PATH];
  if (FAILED(StringCchCopyW(path, MAX_PATH, folder)) ||
      FAILED(StringCchCatW(path, MAX_PATH, fileName))) {
    return nullptr;
  }
  return SHLoadImageFile(path);
}

}  // namespace

// Field order, except that the disabled About button loads before its other two looks.
const Skin::ImageField Skin::kImages[Skin::kImageCount] = {
    {&Skin::Pic_TopBar_App, TEXT("Pic_TopBar_App.png")},
    {&Skin::Btn_TopBar_Close_Up, TEXT("Btn_TopBar_Close_Up.png")},
    {&Skin::Btn_TopBar_Close_Dn, TEXT("Btn_TopBar_Close_Dn.png")},
    {&Skin::Btn_TopBar_About_Ds, TEXT("Btn_TopBar_About_Ds.png")},
    {&Skin::Btn_TopBar_About_Up, TEXT("Btn_TopBar_About_Up.png")},
    {&Skin::Btn_TopBar_About_Dn, TEXT("Btn_TopBar_About_Dn.png")},
    {&Skin::Chk_BottomBar_Home_Up, TEXT("Chk_BottomBar_Home_Up.png")},
    {&Skin::Chk_BottomBar_Home_Dn, TEXT("Chk_BottomBar_Home_Dn.png")},
    {&Skin::Chk_BottomBar_Sounds_Up, TEXT("Chk_BottomBar_Sounds_Up.png")},
    {&Skin::Chk_BottomBar_Sounds_Dn, TEXT("Chk_BottomBar_Sounds_Dn.png")},
    {&Skin::Chk_BottomBar_Settings_Up, TEXT("Chk_BottomBar_Settings_Up.png")},
    {&Skin::Chk_BottomBar_Settings_Dn, TEXT("Chk_BottomBar_Settings_Dn.png")},
    {&Skin::Btn_SoundSlot_Up, TEXT("Btn_SoundSlot_Up.png")},
    {&Skin::Btn_SoundSlot_Dn, TEXT("Btn_SoundSlot_Dn.png")},
    {&Skin::Pic_OpenSoundsType, TEXT("Pic_OpenSoundsType.png")},
    {&Skin::BtnEx_OpenSound_Up, TEXT("BtnEx_OpenSound_Up.png")},
    {&Skin::BtnEx_OpenSound_Dn, TEXT("BtnEx_OpenSound_Dn.png")},
    {&Skin::Btn_PlaySound_Up, TEXT("Btn_PlaySound_Up.png")},
    {&Skin::Btn_PlaySound_Dn, TEXT("Btn_PlaySound_Dn.png")},
    {&Skin::Cmb_General_Up, TEXT("Cmb_General_Up.png")},
    {&Skin::Cmb_General_Dn_L, TEXT("Cmb_General_Dn_L.png")},
    {&Skin::Cmb_General_Dn_R, TEXT("Cmb_General_Dn_R.png")},
    {&Skin::Chk_General_Up, TEXT("Chk_General_Up.png")},
    {&Skin::Chk_General_Dn, TEXT("Chk_General_Dn.png")},
    {&Skin::Chk_General_2_Up, TEXT("Chk_General_2_Up.png")},
    {&Skin::Chk_General_2_Dn, TEXT("Chk_General_2_Dn.png")},
    {&Skin::Btn_General_Up, TEXT("Btn_General_Up.png")},
    {&Skin::Btn_General_Dn, TEXT("Btn_General_Dn.png")},
    {&Skin::Btn_BottomBar_Up, TEXT("Btn_BottomBar_Up.png")},
    {&Skin::Btn_BottomBar_Dn, TEXT("Btn_BottomBar_Dn.png")},
    {&Skin::Btn_BottomBar_Mask, TEXT("Btn_BottomBar_Mask.png")},
    {&Skin::Pic_BottomBar, TEXT("Pic_BottomBar.png")},
    {&Skin::Slt_Separator, TEXT("Slt_Separator.png")},
    {&Skin::Slt_ItemSelected, TEXT("Slt_ItemSelected.png")},
};

int Skin::LoadSkin(const WCHAR* skinFolder) {
  for (const ImageField& image : kImages) {
    this->*image.field = skinFolder ? LoadSkinImage(skinFolder, image.fileName) : nullptr;
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
