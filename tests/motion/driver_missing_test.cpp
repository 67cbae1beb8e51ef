// The sensor driver when the sensor library is not there, and detection without it.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "motion/SensorDriver.h"
#include "motion/ShakeDetector.h"
#include "played_slots.h"

namespace {

TEST(SensorDriverWithoutLibrary, StaysClosedAndReadsZeros) {
  SensorDriver driver;
  EXPECT_EQ(0, driver.Open(1));
  EXPECT_EQ(nullptr, driver.SensorHandle);
  EXPECT_EQ(nullptr, driver.OpenEntry);
  EXPECT_EQ(nullptr, driver.CloseEntry);
  EXPECT_EQ(nullptr, driver.ReadEntry);

  SensorSample sample;
  memset(&sample, 0x55, sizeof sample);
  EXPECT_EQ(0u, driver.Read(&sample));
  const SensorSample zeros = {};
  EXPECT_EQ(0, memcmp(&zeros, &sample, sizeof sample));
  EXPECT_EQ(1, driver.Close());
}

TEST(SensorDriverWithoutLibrary, DetectorsRunAndNeverPlay) {
  SensorDriver driver;
  driver.Open(1);
  NumberedSlots slots;
  ShakeDetectorX x(&driver, &slots.Slots);
  ShakeDetectorY y(&driver, &slots.Slots);
  ShakeDetectorZ z(&driver, &slots.Slots);
  for (ShakeDetector* detector : std::vector<ShakeDetector*>{&x, &y, &z}) {
    detector->TuneForStartUp(5);
    EXPECT_EQ(1, detector->Start());
    for (int tick = 0; tick < 20; ++tick) detector->Tick();
    EXPECT_FALSE(detector->InShake);
  }
  EXPECT_EQ(std::vector<int>{}, slots.Played());
}

}  // namespace
