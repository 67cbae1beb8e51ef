#include "touchui/TouchButton.h"

#include <strsafe.h>

#include "gfx/ScreenCaps.h"

TouchButton::TouchButton(int id)
    : TouchFramedControl(id, {IMAGE_NORMAL, IMAGE_NORMAL_MASK, IMAGE_PRESSED, IMAGE_PRESSED_MASK,
                              IMAGE_DISABLED, IMAGE_DISABLED_MASK, IMAGE_BUTTON_ICON}),
      iconMargins_{Sx(2), Sy(1), Sx(2), Sy(1)} {}

void TouchButton::SetIconMargins(int left, int top, int right, int bottom) {
  iconMargins_ = {left, top, right, bottom};
}

void TouchButton::DrawFrameAndCaption(HDC dc) const {
  DrawStateFrame(dc);
  if (showText_) DrawCaption(dc, pressed_ ? pressedTextColor_ : textColor_);
}

void TouchButton::DrawIcon(HDC dc) const {
  if (!showIcon_) return;
  RECT r = InsetBounds(iconMargins_);
  DrawTransparentBitmapStretched(dc, r.left, r.top, r.right, r.bottom, Image(IMAGE_BUTTON_ICON),
                                 kColorKeyMagenta);
}

void TouchButton::Draw(HDC dc) {
  DrawFrameAndCaption(dc);
  DrawIcon(dc);
}

void TouchButton::OnMouseDown(HWND window, int x, int y) {
  if (!pointer_) TouchControl::OnMouseDown(window, x, y);
}

void TouchButton::OnMouseUp(HWND window, int x, int y) {
  if (!pointer_) TouchControl::OnMouseUp(window, x, y);
}

void TouchButton::OnMouseMove(HWND window, int x, int y) {
  if (!pointer_) TouchControl::OnMouseMove(window, x, y);
}

void TouchButton::OnPointerDown(HWND window, UINT pointer, int x, int y) {
  if (pressed_ || !HitTest(x, y)) return;
  pressed_ = 1;
  pointer_ = pointer;
  Invalidate(window);
  Notify(window, TN_PRESSED);
}

void TouchButton::OnPointerUp(HWND window, UINT pointer, int x, int y) {
  if (!pointer_ || pointer != pointer_) return;
  pointer_ = 0;
  pressed_ = 0;
  Invalidate(window);
  if (!HitTest(x, y)) return;
  Notify(window, TN_RELEASED);
  Notify(window, TN_CLICKED);
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
