#include "touchui/TouchCheckBox.h"

void TouchCheckBox::SetImage(HBITMAP bitmap, int kind) {
  switch (kind) {
    case IMAGE_NORMAL: unchecked_.Image = bitmap; break;
    case IMAGE_NORMAL_MASK: unchecked_.Mask = bitmap; break;
    case IMAGE_PRESSED: checked_.Image = bitmap; break;
    case IMAGE_PRESSED_MASK: checked_.Mask = bitmap; break;
    case IMAGE_DISABLED: disabled_.Image = bitmap; break;
    case IMAGE_DISABLED_MASK: disabled_.Mask = bitmap; break;
    default: break;
  }
}

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
  SkinRect r;
  GetBounds(&r);
  const FramePair& frame = !enabled_ ? disabled_ : pressed_ ? checked_ : unchecked_;
  DrawFrame(dc, r, frame, frameStyle_, frameFit_);
  if (showText_) DrawCaption(dc, pressed_ ? pressedTextColor_ : textColor_);
}
