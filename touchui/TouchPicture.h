// One bitmap, drawn the same whether enabled or not; it takes no input.
#pragma once

#include "touchui/TouchFramedControl.h"

class TouchPicture : public TouchFramedControl {
 public:
  // Images: IMAGE_NORMAL(_MASK).
  explicit TouchPicture(int id);

  void Draw(HDC dc) override;
};
