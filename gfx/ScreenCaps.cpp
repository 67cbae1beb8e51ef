#include "gfx/ScreenCaps.h"

int GetScreenDeviceCaps(int index) {
  HDC screen = GetDC(nullptr);
  if (!screen) return -1;
  int value = GetDeviceCaps(screen, index);
  ReleaseDC(nullptr, screen);
  return value;
}

int ScaleByDpi(int units, int dpi) { return (units * dpi + 48) / 96; }

int Sx(int units) {
  static const int dpi = GetScreenDeviceCaps(LOGPIXELSX);
  return ScaleByDpi(units, dpi);
}

int Sy(int units) {
  static const int dpi = GetScreenDeviceCaps(LOGPIXELSY);
  return ScaleByDpi(units, dpi);
}
