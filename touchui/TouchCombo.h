// A value stepper: one value of a fixed list between two step areas; the left end steps
// to the previous value, the right end to the next. Despite its name it drops down no
// list; the Settings page's sensitivities and volume are its values.
#pragma once

#include <array>
#include <vector>

#include "touchui/TouchFramedControl.h"

class TouchCombo : public TouchFramedControl {
 public:
  // Images: IMAGE_NORMAL(_MASK) idle, IMAGE_LEFT_PRESSED(_MASK),
  // IMAGE_RIGHT_PRESSED(_MASK) and IMAGE_DISABLED(_MASK).
  explicit TouchCombo(int id);

  // Appends a bounded copy of the text; null adds nothing. The selection is kept.
  void AddItem(const WCHAR* text);
  int ItemCount() const { return static_cast<int>(items_.size()); }
  // Accepts -1 (nothing) to count - 1 on a non-empty list; refuses anything else.
  void Select(int index);
  void SelectNext();
  void SelectPrevious();
  int GetSelectedIndex() const { return selected_; }
  // Copies the shown value into a buffer of MAX_PATH characters; the buffer is left
  // untouched when nothing is shown.
  void GetSelectedText(WCHAR* buffer) const;
  // The shown value read as _wtoi does; 0 when nothing is shown.
  int GetSelectedValue() const;

  void Draw(HDC dc) override;
  void OnMouseDown(HWND window, int x, int y) override;
  void OnMouseUp(HWND window, int x, int y) override;
  void OnMouseMove(HWND window, int x, int y) override;

 private:
  bool InLeftStep(int x, int y) const;
  bool InRightStep(int x, int y) const;
  void ClearPress();

  std::vector<std::array<WCHAR, MAX_PATH>> items_;
  BYTE leftPressed_ = 0;
  BYTE rightPressed_ = 0;
  int selected_ = -1;
};
