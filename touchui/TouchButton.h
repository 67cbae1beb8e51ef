// The skinned push button, and the button with a second caption line.
#pragma once

#include "touchui/TouchFramedControl.h"

class TouchButton : public TouchFramedControl {
 public:
  explicit TouchButton(int id);

  // Images: IMAGE_NORMAL(_MASK), IMAGE_PRESSED(_MASK), IMAGE_DISABLED(_MASK) and
  // IMAGE_BUTTON_ICON.
  void ShowText(bool show) { showText_ = show ? 1 : 0; }
  void ShowIcon(bool show) { showIcon_ = show ? 1 : 0; }
  void SetIconMargins(int left, int top, int right, int bottom);

  void Draw(HDC dc) override;
  // A button held by a further finger ignores the stylus until that finger lifts.
  void OnMouseDown(HWND window, int x, int y) override;
  void OnMouseUp(HWND window, int x, int y) override;
  void OnMouseMove(HWND window, int x, int y) override;
  // A further finger presses the button as a tap of its own: TN_PRESSED at the touch,
  // TN_RELEASED and TN_CLICKED when it lifts on the button.
  void OnPointerDown(HWND window, UINT pointer, int x, int y) override;
  void OnPointerUp(HWND window, UINT pointer, int x, int y) override;

 protected:
  void DrawFrameAndCaption(HDC dc) const;
  // Drawn last, over every caption line: magenta is transparent.
  void DrawIcon(HDC dc) const;

 private:
  BYTE showText_ = 0;
  BYTE showIcon_ = 1;
  RECT iconMargins_;
  UINT pointer_ = 0;  // the finger holding the button, 0 when none or the stylus
};

class TouchButtonEx : public TouchButton {
 public:
  explicit TouchButtonEx(int id);

  // Same rule as SetText: 1 to 259 characters, otherwise unchanged.
  void SetSecondText(const WCHAR* text);
  void GetSecondText(WCHAR* buffer) const;
  void SetSecondFont(HFONT font) { secondFont_ = font; }
  void SetSecondTextColors(COLORREF normal, COLORREF pressed);
  void SetSecondTextMargins(int left, int top, int right, int bottom);
  void ShowSecondText(bool show) { showSecondText_ = show ? 1 : 0; }

  void Draw(HDC dc) override;

 private:
  WCHAR secondText_[MAX_PATH] = {};
  HFONT secondFont_ = nullptr;
  COLORREF secondColor_ = 0x00FFFFFF;
  COLORREF secondPressedColor_ = 0x00000000;
  RECT secondMargins_;
  BYTE showSecondText_ = 0;
};
