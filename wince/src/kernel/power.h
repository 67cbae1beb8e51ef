// The device's idle timer, which the display backend turns into the host's screen saver,
// and the debug channel.
#pragma once

#include <cstdint>
#include <string>

namespace wince {

// The device's longest power-off timeout: a reset keeps the device awake this long.
constexpr uint64_t kIdleTimeoutMs = 1000 * 1000;

// Kernel time of the last SystemIdleTimerReset, or 0 if never called.
uint64_t LastIdleTimerReset();

// A line of the layer's own on the device's debug channel (OutputDebugStringW), for a
// failure the user can fix: the executable's name, ": ", the UTF-8 text and a newline.
void DebugLine(const std::string& text);

}  // namespace wince
