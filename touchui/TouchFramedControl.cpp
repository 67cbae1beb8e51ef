#include "touchui/TouchFramedControl.h"

TouchFramedControl::TouchFramedControl(int id, std::initializer_list<int> kinds) : TouchControl(id) {
  for (int kind : kinds) acceptedKinds_ |= 1u << kind;
}

void TouchFramedControl::SetImage(HBITMAP bitmap, int kind) {
  if (kind >= 0 && kind <= IMAGE_BUTTON_ICON && (acceptedKinds_ & (1u << kind))) images_[kind] = bitmap;
}

void TouchFramedControl::DrawFrame(HDC dc, int kind) const {
  const int l = x_, t = y_, r = x_ + width_, b = y_ + height_;
  HBITMAP image = images_[kind], mask = images_[kind + 1];
  if (frameStyle_ == FRAME_SINGLE && frameFit_ == FIT_CENTERED) {
    DrawBitmapCentered(dc, l, t, r, b, image);
  } else if (frameStyle_ == FRAME_SINGLE && frameFit_ == FIT_STRETCHED) {
    DrawBitmapStretched(dc, l, t, r, b, image);
  } else if (frameStyle_ == FRAME_MASKED && frameFit_ == FIT_CENTERED) {
    DrawMaskedBitmapCentered(dc, l, t, r, b, image, mask);
  } else if (frameStyle_ == FRAME_MASKED && frameFit_ == FIT_STRETCHED) {
    DrawMaskedBitmapStretched(dc, l, t, r, b, image, mask);
  }
}

void TouchFramedControl::DrawStateFrame(HDC dc) const {
  DrawFrame(dc, !enabled_ ? IMAGE_DISABLED : pressed_ ? IMAGE_PRESSED : IMAGE_NORMAL);
}
