#include "touchui/TouchLabel.h"

TouchLabel::TouchLabel(int id) : TouchControl(id) { acceptsInput_ = 0; }

void TouchLabel::Draw(HDC dc) { DrawCaption(dc, textColor_); }
