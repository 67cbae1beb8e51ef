// The skin: every image and font of the user interface, loaded once at start-up from the
// PNG files of the skin folder and released when the main window is destroyed.
//
// The Skin owns all 40 handles; widgets receive copies and never delete them. A bitmap
// whose file is missing or cannot be decoded stays null and is simply not drawn.
#pragma once

#include <windows.h>

class Skin {
 public:
  // Each bitmap bears the name of its PNG file (without ".png").
  HBITMAP Pic_TopBar_App = nullptr;
  HBITMAP Btn_TopBar_Close_Up = nullptr;
  HBITMAP Btn_TopBar_Close_Dn = nullptr;
  HBITMAP Btn_TopBar_About_Up = nullptr;
  HBITMAP Btn_TopBar_About_Dn = nullptr;
  HBITMAP Btn_TopBar_About_Ds = nullptr;
  HBITMAP Chk_BottomBar_Home_Up = nullptr;
  HBITMAP Chk_BottomBar_Home_Dn = nullptr;
  HBITMAP Chk_BottomBar_Sounds_Up = nullptr;
  HBITMAP Chk_BottomBar_Sounds_Dn = nullptr;
  HBITMAP Chk_BottomBar_Settings_Up = nullptr;
  HBITMAP Chk_BottomBar_Settings_Dn = nullptr;
  HBITMAP Btn_SoundSlot_Up = nullptr;
  HBITMAP Btn_SoundSlot_Dn = nullptr;
  HBITMAP Pic_OpenSoundsType = nullptr;
  HBITMAP BtnEx_OpenSound_Up = nullptr;
  HBITMAP BtnEx_OpenSound_Dn = nullptr;
  HBITMAP Btn_PlaySound_Up = nullptr;
  HBITMAP Btn_PlaySound_Dn = nullptr;
  HBITMAP Cmb_General_Up = nullptr;
  HBITMAP Cmb_General_Dn_L = nullptr;
  HBITMAP Cmb_General_Dn_R = nullptr;
  HBITMAP Chk_General_Up = nullptr;
  HBITMAP Chk_General_Dn = nullptr;
  HBITMAP Chk_General_2_Up = nullptr;
  HBITMAP Chk_General_2_Dn = nullptr;
  HBITMAP Btn_General_Up = nullptr;
  HBITMAP Btn_General_Dn = nullptr;
  HBITMAP Btn_BottomBar_Up = nullptr;
  HBITMAP Btn_BottomBar_Dn = nullptr;
  HBITMAP Btn_BottomBar_Mask = nullptr;
  HBITMAP Pic_BottomBar = nullptr;
  HBITMAP Slt_Separator = nullptr;
  HBITMAP Slt_ItemSelected = nullptr;

  // Face "HelveticaNeue LT 35 Thin"; heights in pixels at 96 DPI, scaled to the screen.
  HFONT Font14 = nullptr;
  HFONT Font16 = nullptr;
  HFONT Font18 = nullptr;
  HFONT Font14Bold = nullptr;
  HFONT Font16Bold = nullptr;
  HFONT Font18Bold = nullptr;

  // Loads the 34 images from skinFolder (a path ending in a backslash) and creates the
  // six fonts. Images that are missing, undecodable, or whose path would not fit in
  // MAX_PATH stay null; each such image, and each image larger than its place, is told
  // to the user in one line (a missing folder in one line). Returns 1.
  int LoadSkin(const WCHAR* skinFolder);

  // Deletes every bitmap and font and clears the fields.
  void ReleaseSkin();

  // The bitmap fields in load order with their file names and the size each is drawn at,
  // for whoever lists the skin. An image drawn at its own size (ownSize) may be smaller
  // than that, never larger: it is cut to its place.
  struct ImageField {
    HBITMAP Skin::*field;
    const WCHAR* fileName;
    int width;
    int height;
    bool ownSize;
  };
  static constexpr int kImageCount = 34;
  static const ImageField kImages[kImageCount];
};
