#include <atomic>
#include <cmath>
#include <mutex>

#include "sensor/Sources.h"

#include <wince/host.h>

namespace sensor {

namespace {

// The last shake key pressed and when, packed into one word so that the GUI thread's
// hook and the reads of the timer procedures never see half an update.
std::atomic<uint64_t> lastPress{0};
std::mutex hookLock;
int keyboardSources = 0;

bool IsShakeKey(UINT vk) {
  return vk == VK_UP || vk == VK_DOWN || vk == VK_LEFT || vk == VK_RIGHT || vk == VK_SPACE;
}

void OnKey(UINT vk, BOOL down, DWORD tick) {
  if (down && IsShakeKey(vk)) lastPress.store(uint64_t(vk) << 32 | tick, std::memory_order_release);
}

}  // namespace

KeyboardSource::KeyboardSource() {
  std::lock_guard<std::mutex> lock(hookLock);
  if (keyboardSources++ == 0) WinceSetKeyHook(OnKey);
}

KeyboardSource::~KeyboardSource() {
  std::lock_guard<std::mutex> lock(hookLock);
  if (--keyboardSources == 0) WinceSetKeyHook(nullptr);
}

Reading KeyboardSource::Read(DWORD tick) {
  uint64_t press = lastPress.load(std::memory_order_acquire);
  return Profile(UINT(press >> 32), DWORD(press), tick);
}

Reading KeyboardSource::Profile(UINT vk, DWORD pressTick, DWORD tick) {
  DWORD elapsed = tick - pressTick;
  if (!IsShakeKey(vk) || elapsed >= kShakeMs) return kAtRest;
  const double pi = 3.14159265358979323846;
  int16_t pulse = ClampReading(kShakePeak * std::sin(pi * elapsed / kShakeMs));
  Reading reading = kAtRest;
  switch (vk) {
    case VK_UP: reading.y = int16_t(-pulse); break;
    case VK_DOWN: reading.y = pulse; break;
    case VK_LEFT: reading.x = int16_t(-pulse); break;
    case VK_RIGHT: reading.x = pulse; break;
    default: reading.z = int16_t(kAtRest.z - pulse); break;
  }
  return reading;
}

}  // namespace sensor
