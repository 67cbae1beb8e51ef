// The application's own resources: the window icon and the four bitmaps.
#pragma once

#include <windows.h>

enum {
  IDI_TILTCHIME = 101,
  IDB_SPLASH = 102,
  IDB_ABOUT_PICTURE = 103,
  IDB_DONATE_UP = 104,
  IDB_DONATE_DOWN = 105,
};

class AppResources {
 public:
  explicit AppResources(HINSTANCE instance);

  // Loads the icon, then bitmaps 102 to 105; a resource that cannot be loaded leaves
  // its handle empty.
  void Load();
  // Deletes the four bitmaps and clears every handle; the icon is shared with the
  // system and only forgotten.
  void Release();

  HICON Icon;
  HBITMAP SplashBitmap;
  HBITMAP AboutPicture;
  HBITMAP DonateUp;
  HBITMAP DonateDown;
  HINSTANCE Instance;
};
