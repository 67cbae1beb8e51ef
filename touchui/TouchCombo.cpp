#include "touchui/TouchCombo.h"

#include <strsafe.h>

void TouchCombo::SetImage(HBITMAP bitmap, int kind) {
  switch (kind) {
    case IMAGE_NORMAL: idle_.Image = bitmap; break;
    case IMAGE_NORMAL_MASK: idle_.Mask = bitmap; break;
    case IMAGE_LEFT_PRESSED: left_.Image = bitmap; break;
    case IMAGE_LEFT_PRESSED_MASK: left_.Mask = bitmap; break;
    case IMAGE_RIGHT_PRESSED: right_.Image = bitmap; break;
    case IMAGE_RIGHT_PRESSED_MASK: right_.Mask = bitmap; break;
    case IMAGE_DISABLED: disabled_.Image = bitmap; break;
    case IMAGE_DISABLED_MASK: disabled_.Mask = bitmap; break;
    default: break;
  }
}

void TouchCombo::AddItem(const WCHAR* text) {
  if (!text) return;
  items_.emplace_back();
  items_.back().fill(0);
  StringCchCopyW(items_.back().data(), MAX_PATH, text);
}

void TouchCombo::Select(int index) {
  if (!items_.empty() && index >= -1 && index < ItemCount()) selected_ = index;
}

void TouchCombo::SelectNext() {
  if (selected_ + 1 != ItemCount()) Select(selected_ + 1);
}

void TouchCombo::SelectPrevious() {
  if (selected_ > 0) Select(selected_ - 1);
}

void TouchCombo::GetSelectedText(WCHAR* buffer) const {
  if (buffer && selected_ >= 0 && selected_ < ItemCount()) {
    StringCchCopyW(buffer, MAX_PATH, items_[selected_].data());
  }
}

int TouchCombo::GetSelectedValue() const {
  if (selected_ < 0 || selected_ >= ItemCount()) return 0;
  return _wtoi(items_[selected_].data());
}

// The step areas are squares of the widget's height at either end; when they overlap
// the left one is tested first and wins.
bool TouchCombo::InLeftStep(int x, int y) const {
  return x >= x_ && x < x_ + height_ && y >= y_ && y < y_ + height_;
}

bool TouchCombo::InRightStep(int x, int y) const {
  int right = x_ + width_;
  return x >= right - height_ && x < right && y >= y_ && y < y_ + height_;
}

void TouchCombo::ClearPress() {
  pressed_ = 0;
  leftPressed_ = 0;
  rightPressed_ = 0;
}

void TouchCombo::OnMouseDown(HWND window, int x, int y) {
  if (InLeftStep(x, y)) {
    leftPressed_ = 1;
    rightPressed_ = 0;
  } else if (InRightStep(x, y)) {
    leftPressed_ = 0;
    rightPressed_ = 1;
  } else {
    ClearPress();
    Invalidate(window);
    return;
  }
  pressed_ = 1;
  Invalidate(window);
  Notify(window, TN_PRESSED);
}

// Only the release position counts.
void TouchCombo::OnMouseMove(HWND, int, int) {}

void TouchCombo::OnMouseUp(HWND window, int x, int y) {
  bool stepLeft = pressed_ && leftPressed_ && InLeftStep(x, y);
  bool stepRight = !stepLeft && pressed_ && rightPressed_ && InRightStep(x, y);
  ClearPress();
  if (stepLeft) SelectPrevious();
  if (stepRight) SelectNext();
  Invalidate(window);
  if (stepLeft || stepRight) {
    Notify(window, TN_RELEASED);
    Notify(window, TN_CHANGED);
  }
}

void TouchCombo::Draw(HDC dc) {
  SkinRect r;
  GetBounds(&r);
  const FramePair* frame = nullptr;
  if (!enabled_) {
    frame = &disabled_;
  } else if (!pressed_) {
    frame = &idle_;
  } else if (leftPressed_) {
    frame = &left_;
  } else if (rightPressed_) {
    frame = &right_;
  }
  if (frame) DrawFrame(dc, r, *frame, frameStyle_, frameFit_);
  if (selected_ < 0 || selected_ >= ItemCount()) return;
  RECT value = {x_ + height_, y_, x_ + width_ - height_, y_ + height_};
  DeflateRectBy(value, textMargins_.left, textMargins_.top, textMargins_.right,
                textMargins_.bottom);
  DrawTextInRect(dc, items_[selected_].data(), value, textFormat_, textColor_, font_);
}
