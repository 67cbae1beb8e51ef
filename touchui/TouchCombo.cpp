#include "touchui/TouchCombo.h"

#include <strsafe.h>

TouchCombo::TouchCombo(int id)
    : TouchFramedControl(id, {IMAGE_NORMAL, IMAGE_NORMAL_MASK, IMAGE_LEFT_PRESSED,
                              IMAGE_LEFT_PRESSED_MASK, IMAGE_RIGHT_PRESSED, IMAGE_RIGHT_PRESSED_MASK,
                              IMAGE_DISABLED, IMAGE_DISABLED_MASK}) {}

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
  // Pressed with neither end held draws no frame.
  if (!enabled_) {
    DrawFrame(dc, IMAGE_DISABLED);
  } else if (!pressed_) {
    DrawFrame(dc, IMAGE_NORMAL);
  } else if (leftPressed_) {
    DrawFrame(dc, IMAGE_LEFT_PRESSED);
  } else if (rightPressed_) {
    DrawFrame(dc, IMAGE_RIGHT_PRESSED);
  }
  if (selected_ < 0 || selected_ >= ItemCount()) return;
  RECT value = {x_ + height_, y_, x_ + width_ - height_, y_ + height_};
  DeflateRectBy(value, textMargins_.left, textMargins_.top, textMargins_.right,
                textMargins_.bottom);
  DrawTextInRect(dc, items_[selected_].data(), value, textFormat_, textColor_, font_);
}
