// What the skinned widgets share: an image table by ImageKind, the frame style and the fit.
#pragma once

#include <initializer_list>

#include "touchui/TouchControl.h"

class TouchFramedControl : public TouchControl {
 public:
  // Stores the bitmap under its kind when the widget accepts that kind; other kinds are
  // ignored.
  void SetImage(HBITMAP bitmap, int kind);
  void SetFrameStyle(int style) { frameStyle_ = style; }
  void SetFrameFit(int fit) { frameFit_ = fit; }

 protected:
  // kinds: the ImageKinds this widget class stores.
  TouchFramedControl(int id, std::initializer_list<int> kinds);

  HBITMAP Image(int kind) const { return images_[kind]; }
  // The frame of an image kind and its mask (the next kind) over the widget's rectangle,
  // by style and fit; any other style or fit draws nothing.
  void DrawFrame(HDC dc, int kind) const;
  // The frame of the state: disabled whatever the pressed flag, else pressed or normal.
  void DrawStateFrame(HDC dc) const;

 private:
  HBITMAP images_[IMAGE_BUTTON_ICON + 1] = {};
  UINT acceptedKinds_ = 0;  // bit k set: kind k is stored
  int frameStyle_ = FRAME_SINGLE;
  int frameFit_ = FIT_CENTERED;
};
