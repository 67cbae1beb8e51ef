// The emulated screen of the device.
#pragma once

namespace wince {

// The screen in its natural (portrait) orientation: 480x640 at 192 dpi unless WINCE_SCREEN
// (WxH) / WINCE_DPI or the test driver say otherwise. Fixed once the first window exists.
struct DisplayConfig {
  int width, height, dpi;
};
const DisplayConfig& Display();

// The test driver's choice, made before the program starts.
void SetDisplay(const DisplayConfig& config);

}  // namespace wince
