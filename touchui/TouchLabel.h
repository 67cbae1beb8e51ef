// One line of text and one bitmap; neither takes input.
#pragma once

#include "touchui/TouchControl.h"

class TouchLabel : public TouchControl {
 public:
  explicit TouchLabel(int id);

  void Draw(HDC dc) override;
};

class TouchPicture : public TouchControl {
 public:
  explicit TouchPicture(int id);

  // IMAGE_NORMAL stores the image, IMAGE_NORMAL_MASK the mask; other kinds are ignored.
  void SetImage(HBITMAP bitmap, int kind);
  void SetFrameStyle(int style) { frameStyle_ = style; }
  void SetFrameFit(int fit) { frameFit_ = fit; }

  void Draw(HDC dc) override;

 private:
  FramePair frame_;
  int frameStyle_ = FRAME_SINGLE;
  int frameFit_ = FIT_CENTERED;
};
