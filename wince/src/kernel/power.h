// The device's idle timer, which the display backend turns into the host's screen saver.
#pragma once

#include <cstdint>

namespace wince {

// The device's longest power-off timeout: a reset keeps the device awake this long.
constexpr uint64_t kIdleTimeoutMs = 1000 * 1000;

// Kernel time of the last SystemIdleTimerReset, or 0 if never called.
uint64_t LastIdleTimerReset();

}  // namespace wince
