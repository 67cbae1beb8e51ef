#include "touchui/TouchLabel.h"

TouchLabel::TouchLabel(int id) : TouchControl(id) { acceptsInput_ = 0; }

void TouchLabel::Draw(HDC dc) { DrawCaption(dc, textColor_); }

TouchPicture::TouchPicture(int id) : TouchControl(id) { acceptsInput_ = 0; }

void TouchPicture::SetImage(HBITMAP bitmap, int kind) {
  if (kind == IMAGE_NORMAL) frame_.Image = bitmap;
  if (kind == IMAGE_NORMAL_MASK) frame_.Mask = bitmap;
}

void TouchPicture::Draw(HDC dc) {
  SkinRect r;
  GetBounds(&r);
  DrawFrame(dc, r, frame_, frameStyle_, frameFit_);
}
