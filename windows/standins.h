// What every stand-in includes: the Windows headers with the Windows Mobile declarations
// that the stand-ins define. The program reaches a few desktop calls through the device's
// meaning of them (windowsmobile.h maps the names); the stand-ins themselves call
// Windows' own.
#pragma once

#include "windowsmobile.h"

#include <aygshell.h>
#include <regext.h>

#undef GetSystemMetrics
#undef SetForegroundWindow
#undef ChangeDisplaySettingsEx
#undef GetProcAddress

// The phone's screen that the program lays itself out on.
constexpr int kScreenWidth = 480;
constexpr int kScreenHeight = 640;
