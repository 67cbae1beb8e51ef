#include "touchui/TouchButton.h"

#include <strsafe.h>

#include "gfx/ScreenCaps.h"

TouchButton::TouchButton(int id)
    : TouchControl(id), iconMargins_{Sx(2), Sy(1), Sx(2), Sy(1)} {}

void TouchButton::SetImage(HBITMAP bitmap, int kind) {
  switch (kind) {
    case IMAGE_NORMAL: normal_.Image = bitmap; break;
    case IMAGE_NORMAL_MASK: normal_.Mask = bitmap; break;
    case IMAGE_PRESSED: pressedFrame_.Image = bitmap; break;
    case IMAGE_PRESSED_MASK: pressedFrame_.Mask = bitmap; break;
    case IMAGE_DISABLED: disabled_.Image = bitmap; break;
    case IMAGE_DISABLED_MASK: disabled_.Mask = bitmap; break;
    case IMAGE_BUTTON_ICON: icon_ = bitmap; break;
    default: break;
  }
}

void TouchButton::SetIconMargins(int left, int top, int right, int bottom) {
  iconMargins_ = {left, top, right, bottom};
}

void TouchButton::DrawFrameAndCaption(HDC dc) const {
  SkinRect r;
  GetBounds(&r);
  const FramePair& frame = !enabled_ ? disabled_ : pressed_ ? pressedFrame_ : normal_;
  DrawFrame(dc, r, frame, frameStyle_, frameFit_);
  if (showText_) DrawCaption(dc, pressed_ ? pressedTextColor_ : textColor_);
}

void TouchButton::DrawIcon(HDC dc) const {
  if (!showIcon_) return;
  RECT r = InsetBounds(iconMargins_);
  DrawTransparentBitmapStretched(dc, r.left, r.top, r.right, r.bottom, icon_, kColorKeyMagenta);
}

void TouchButton::Draw(HDC dc) {
  DrawFrameAndCaption(dc);
  DrawIcon(dc);
}

TouchButtonEx::TouchButtonEx(int id)
    : TouchButton(id), secondMargins_{Sx(2), Sy(1), Sx(2), Sy(1)} {}

void TouchButtonEx::SetSecondText(const WCHAR* text) { CopyWidgetText(secondText_, text); }

void TouchButtonEx::GetSecondText(WCHAR* buffer) const {
  if (buffer) StringCchCopyW(buffer, MAX_PATH, secondText_);
}

void TouchButtonEx::SetSecondTextColors(COLORREF normal, COLORREF pressed) {
  secondColor_ = normal;
  secondPressedColor_ = pressed;
}

void TouchButtonEx::SetSecondTextMargins(int left, int top, int right, int bottom) {
  secondMargins_ = {left, top, right, bottom};
}

void TouchButtonEx::Draw(HDC dc) {
  DrawFrameAndCaption(dc);
  if (showSecondText_) {
    DrawTextInRect(dc, secondText_, InsetBounds(secondMargins_), textFormat_,
                   pressed_ ? secondPressedColor_ : secondColor_, secondFont_);
  }
  DrawIcon(dc);
}
