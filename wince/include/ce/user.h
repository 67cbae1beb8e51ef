// Window system: windows, messages, timers, painting, metrics, display settings.
#pragma once
#include "ce/types.h"

WINCEAPI HDC GetDC(HWND window);
WINCEAPI int ReleaseDC(HWND window, HDC dc);
