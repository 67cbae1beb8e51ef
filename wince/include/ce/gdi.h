// GDI: device contexts, bitmaps, brushes, pens and the blitting operations.
#pragma once
#include "ce/types.h"

#define LOGPIXELSX 88
#define LOGPIXELSY 90

WINCEAPI int GetDeviceCaps(HDC dc, int index);
