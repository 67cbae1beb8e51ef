#include "touchui/TouchCheckBox.h"

TouchCheckBox::TouchCheckBox(int id)
    : TouchFramedControl(id, {IMAGE_NORMAL, IMAGE_NORMAL_MASK, IMAGE_PRESSED, IMAGE_PRESSED_MASK,
                              IMAGE_DISABLED, IMAGE_DISABLED_MASK}) {}

void TouchCheckBox::OnMouseDown(HWND window, int x, int y) {
  if (!HitTest(x, y) || locked_) return;
  pressed_ = pressed_ ? 0 : 1;
  Invalidate(window);
  Notify(window, TN_TOGGLED);
}

// Only the touch-down counts: lifting or moving the finger changes nothing.
void TouchCheckBox::OnMouseUp(HWND, int, int) {}
void TouchCheckBox::OnMouseMove(HWND, int, int) {}

void TouchCheckBox::Draw(HDC dc) {
  DrawStateFrame(dc);
  if (showText_) DrawCaption(dc, pressed_ ? pressedTextColor_ : textColor_);
}
