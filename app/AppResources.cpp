#include "app/AppResources.h"

AppResources::AppResources(HINSTANCE instance)
    : Icon(nullptr),
      SplashBitmap(nullptr),
      AboutPicture(nullptr),
      DonateUp(nullptr),
      DonateDown(nullptr),
      Instance(instance) {}

void AppResources::Load() {
  Icon = LoadIconW(Instance, MAKEINTRESOURCE(IDI_TILTCHIME));
  SplashBitmap = LoadBitmapW(Instance, MAKEINTRESOURCE(IDB_SPLASH));
  AboutPicture = LoadBitmapW(Instance, MAKEINTRESOURCE(IDB_ABOUT_PICTURE));
  DonateUp = LoadBitmapW(Instance, MAKEINTRESOURCE(IDB_DONATE_UP));
  DonateDown = LoadBitmapW(Instance, MAKEINTRESOURCE(IDB_DONATE_DOWN));
}

static void DeleteBitmap(HBITMAP& bitmap) {
  if (bitmap) DeleteObject(bitmap);
  bitmap = nullptr;
}

void AppResources::Release() {
  DeleteBitmap(SplashBitmap);
  DeleteBitmap(AboutPicture);
  DeleteBitmap(DonateUp);
  DeleteBitmap(DonateDown);
  Icon = nullptr;
}
