// The sensor driver with a library that lacks the read entry.
#include <gtest/gtest.h>

#include <cstring>

#include "motion/SensorDriver.h"
#include "scripted_sensor.h"

namespace {

TEST(SensorDriverWithoutReadEntry, ResolvesWhatIsThereAndOpensNothing) {
  SensorDriver driver;
  EXPECT_EQ(0, driver.Open(1));
  EXPECT_NE(nullptr, driver.OpenEntry);
  EXPECT_NE(nullptr, driver.CloseEntry);
  EXPECT_EQ(nullptr, driver.ReadEntry);
  EXPECT_EQ(nullptr, driver.SensorHandle);

  SensorSample sample;
  memset(&sample, 0x55, sizeof sample);
  EXPECT_EQ(0u, driver.Read(&sample));
  EXPECT_EQ(0, sample.X);
  EXPECT_EQ(0, sample.Z);
  EXPECT_EQ(1, driver.Close());

  SensorCalls calls = Calls();
  EXPECT_EQ(0, calls.opens);
  EXPECT_EQ(0, calls.closes) << "a sensor that was never opened is not closed";
}

}  // namespace
