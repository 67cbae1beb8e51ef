// One line of text; it takes no input.
#pragma once

#include "touchui/TouchControl.h"

class TouchLabel : public TouchControl {
 public:
  explicit TouchLabel(int id);

  void Draw(HDC dc) override;
};
