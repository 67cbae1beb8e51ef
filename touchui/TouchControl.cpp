#include "touchui/TouchControl.h"

#include <strsafe.h>

#include "gfx/ScreenCaps.h"

void CopyWidgetText(WCHAR* field, const WCHAR* text) {
  if (!text) return;
  size_t length = 0;
  if (FAILED(StringCchLengthW(text, MAX_PATH, &length)) || length == 0) return;
  StringCchCopyW(field, MAX_PATH, text);
}

TouchControl::TouchControl(int id)
    : id_(id),
      width_(Sx(50)),
      height_(Sy(20)),
      textMargins_{Sx(2), Sy(1), Sx(2), Sy(1)} {}

void TouchControl::Draw(HDC) {}

void TouchControl::OnMouseDown(HWND window, int x, int y) {
  pressed_ = HitTest(x, y) ? 1 : 0;
  Invalidate(window);
  if (pressed_) Notify(window, TN_PRESSED);
}

void TouchControl::OnMouseMove(HWND window, int x, int y) {
  if (!pressed_) return;
  pressed_ = HitTest(x, y) ? 1 : 0;
  Invalidate(window);
  Notify(window, TN_MOVED);
}

void TouchControl::OnMouseUp(HWND window, int x, int y) {
  if (pressed_ && HitTest(x, y)) {
    pressed_ = 0;
    Invalidate(window);
    Notify(window, TN_RELEASED);
    Notify(window, TN_CLICKED);
    return;
  }
  pressed_ = 0;
}

void TouchControl::SetBounds(int x, int y, int width, int height) {
  x_ = x;
  y_ = y;
  width_ = width;
  height_ = height;
}

void TouchControl::GetBounds(SkinRect* rect) const {
  rect->left = x_;
  rect->top = y_;
  rect->right = x_ + width_;
  rect->bottom = y_ + height_;
}

void TouchControl::SetText(const WCHAR* text) { CopyWidgetText(caption_, text); }

void TouchControl::GetText(WCHAR* buffer) const {
  if (buffer) StringCchCopyW(buffer, MAX_PATH, caption_);
}

void TouchControl::SetTextColors(COLORREF normal, COLORREF pressed) {
  textColor_ = normal;
  pressedTextColor_ = pressed;
}

void TouchControl::SetTextMargins(int left, int top, int right, int bottom) {
  textMargins_ = {left, top, right, bottom};
}

bool TouchControl::HitTest(int x, int y) const {
  return visible_ && x >= x_ && x < x_ + width_ && y >= y_ && y < y_ + height_;
}

void TouchControl::Invalidate(HWND window) const {
  RECT bounds = {x_, y_, x_ + width_, y_ + height_};
  InvalidateRect(window, &bounds, TRUE);
}

void TouchControl::Notify(HWND window, int code) {
  WPARAM wParam = MAKEWPARAM(id_ & 0xFFFF, code & 0xFFFF);
  PostMessageW(window, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(this));
}

void TouchControl::DrawIfVisible(HDC dc) {
  if (visible_) Draw(dc);
}

void TouchControl::DispatchMouseDown(HWND window, int x, int y) {
  if (visible_ && enabled_ && acceptsInput_) OnMouseDown(window, x, y);
}

void TouchControl::DispatchMouseUp(HWND window, int x, int y) {
  if (visible_ && enabled_ && acceptsInput_) OnMouseUp(window, x, y);
}

void TouchControl::DispatchMouseMove(HWND window, int x, int y) {
  if (visible_ && enabled_ && acceptsInput_) OnMouseMove(window, x, y);
}

void TouchControl::DispatchPointerDown(HWND window, UINT pointer, int x, int y) {
  if (visible_ && enabled_ && acceptsInput_) OnPointerDown(window, pointer, x, y);
}

void TouchControl::DispatchPointerUp(HWND window, UINT pointer, int x, int y) {
  if (visible_ && enabled_ && acceptsInput_) OnPointerUp(window, pointer, x, y);
}

void TouchControl::DispatchMouseWheel(HWND window, int x, int y, int delta) {
  if (visible_ && enabled_ && acceptsInput_) OnMouseWheel(window, x, y, delta);
}

RECT TouchControl::InsetBounds(const RECT& margins) const {
  RECT r = {x_, y_, x_ + width_, y_ + height_};
  return DeflateRectBy(r, margins.left, margins.top, margins.right, margins.bottom);
}

void TouchControl::DrawCaption(HDC dc, COLORREF color) const {
  DrawTextInRect(dc, caption_, InsetBounds(textMargins_), textFormat_, color, font_);
}

void TouchPanel::Draw(HDC dc) {
  if (!visible_) return;
  for (TouchControl* child : children_) {
    if (child) child->DrawIfVisible(dc);
  }
}

void TouchPanel::OnMouseDown(HWND window, int x, int y) {
  if (!visible_) return;
  for (TouchControl* child : children_) {
    if (child) child->DispatchMouseDown(window, x, y);
  }
}

void TouchPanel::OnMouseUp(HWND window, int x, int y) {
  if (!visible_) return;
  for (TouchControl* child : children_) {
    if (child) child->DispatchMouseUp(window, x, y);
  }
}

void TouchPanel::OnMouseMove(HWND window, int x, int y) {
  if (!visible_) return;
  for (TouchControl* child : children_) {
    if (child) child->DispatchMouseMove(window, x, y);
  }
}

void TouchPanel::OnPointerDown(HWND window, UINT pointer, int x, int y) {
  if (!visible_) return;
  for (TouchControl* child : children_) {
    if (child) child->DispatchPointerDown(window, pointer, x, y);
  }
}

void TouchPanel::OnPointerUp(HWND window, UINT pointer, int x, int y) {
  if (!visible_) return;
  for (TouchControl* child : children_) {
    if (child) child->DispatchPointerUp(window, pointer, x, y);
  }
}

void TouchPanel::OnMouseWheel(HWND window, int x, int y, int delta) {
  if (!visible_) return;
  for (TouchControl* child : children_) {
    if (child) child->DispatchMouseWheel(window, x, y, delta);
  }
}

void TouchPanel::AddChild(TouchControl* child) {
  if (!child) return;
  child->owner_ = this;
  children_.push_back(child);
}
