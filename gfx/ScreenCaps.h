// The screen's device capabilities and the DPI scaling rule for design units.
#pragma once

#include <windows.h>

// GetDeviceCaps of the screen for index, or -1 when no screen device context exists.
int GetScreenDeviceCaps(int index);

// Design units (96 per inch) to pixels at dpi: (units * dpi + 48) / 96, truncating.
int ScaleByDpi(int units, int dpi);

// A horizontal (Sx) or vertical (Sy) length in design units, in screen pixels. The
// screen's LOGPIXELSX and LOGPIXELSY are each read once and kept for the process.
int Sx(int units);
int Sy(int units);
