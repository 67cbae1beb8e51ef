// The emulated screen of the device.
#pragma once

namespace wince {

// The screen in its natural (portrait) orientation: 480x640 at 192 dpi unless WINCE_SCREEN
// (WxH, portrait, at least 480 wide) / WINCE_DPI or the test driver say otherwise; a
// program shown full screen without WINCE_SCREEN gets a screen of the display's shape,
// 480 wide and at least 640 tall. Fixed once the first window exists.
struct DisplayConfig {
  int width, height, dpi;
};
const DisplayConfig& Display();

// The test driver's choice, made before the program starts.
void SetDisplay(const DisplayConfig& config);

}  // namespace wince
