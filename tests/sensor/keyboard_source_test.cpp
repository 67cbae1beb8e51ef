// Shakes made with the keyboard.
#include <gtest/gtest.h>

#include <vector>

#include "sensor/Sources.h"

namespace {

using sensor::KeyboardSource;
using sensor::Reading;

TEST(KeyboardShake, RisesToAPeakWellAboveMinPeakAndFallsWithinItsDuration) {
  std::vector<int> pulse;
  for (DWORD t = 0; t <= KeyboardSource::kShakeMs; t += 10)
    pulse.push_back(KeyboardSource::Profile(VK_RIGHT, 1000, 1000 + t).x);
  size_t peak = 0;
  for (size_t i = 0; i < pulse.size(); ++i)
    if (pulse[i] > pulse[peak]) peak = i;
  EXPECT_EQ(KeyboardSource::kShakePeak, pulse[peak]);
  EXPECT_GT(pulse[peak], 800 * 3 / 2);
  EXPECT_EQ(KeyboardSource::kShakeMs / 2, peak * 10);
  for (size_t i = 1; i <= peak; ++i) EXPECT_GE(pulse[i], pulse[i - 1]);
  for (size_t i = peak + 1; i < pulse.size(); ++i) EXPECT_LE(pulse[i], pulse[i - 1]);
  EXPECT_EQ(0, pulse.front());
  EXPECT_EQ(0, pulse.back());
  // Above the detectors' Threshold of 300 for several 50 ms polls.
  int above = 0;
  for (int value : pulse) above += value > 300;
  EXPECT_GE(above * 10, 200);
}

TEST(KeyboardShake, AtRestOutsideAShakeAndForOtherKeys) {
  EXPECT_EQ(sensor::kAtRest, KeyboardSource::Profile(VK_RIGHT, 1000, 999));
  EXPECT_EQ(sensor::kAtRest, KeyboardSource::Profile(VK_RIGHT, 1000, 1000 + KeyboardSource::kShakeMs));
  EXPECT_EQ(sensor::kAtRest, KeyboardSource::Profile(VK_RETURN, 1000, 1150));
  EXPECT_EQ(sensor::kAtRest, KeyboardSource::Profile(0, 0, 100));
  // Across the wrap of the tick count.
  EXPECT_EQ(KeyboardSource::kShakePeak, KeyboardSource::Profile(VK_RIGHT, 0xFFFFFFC0u, 0x56).x);
  KeyboardSource keyboard;
  EXPECT_EQ(sensor::kAtRest, keyboard.Read(5000));
}

}  // namespace
