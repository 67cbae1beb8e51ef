// A two-state box that flips at touch-down; its checked state is the pressed flag.
// Also the bottom bar's page tabs, which the page switching checks and locks.
#pragma once

#include "touchui/TouchFramedControl.h"

class TouchCheckBox : public TouchFramedControl {
 public:
  // Images: IMAGE_NORMAL(_MASK) unchecked, IMAGE_PRESSED(_MASK) checked and
  // IMAGE_DISABLED(_MASK).
  explicit TouchCheckBox(int id);

  void SetLocked(bool locked) { locked_ = locked ? 1 : 0; }
  void ShowText(bool show) { showText_ = show ? 1 : 0; }
  // Sets the state from the program: no repaint, no notification.
  void SetChecked(bool checked) { pressed_ = checked ? 1 : 0; }
  bool IsChecked() const { return pressed_ != 0; }

  void Draw(HDC dc) override;
  void OnMouseDown(HWND window, int x, int y) override;
  void OnMouseUp(HWND window, int x, int y) override;
  void OnMouseMove(HWND window, int x, int y) override;

 private:
  BYTE locked_ = 0;
  BYTE showText_ = 0;
};
