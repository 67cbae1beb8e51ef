#include "touchui/TouchPicture.h"

TouchPicture::TouchPicture(int id) : TouchFramedControl(id, {IMAGE_NORMAL, IMAGE_NORMAL_MASK}) {
  acceptsInput_ = 0;
}

void TouchPicture::Draw(HDC dc) { DrawFrame(dc, IMAGE_NORMAL); }
