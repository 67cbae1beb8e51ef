// The sensor driver over the sensor library stand-in, replaying the recorded traces
// under a virtual clock through the three detectors.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstring>
#include <string>
#include <vector>

#include <wince/testdriver.h>

#include "motion/SensorDriver.h"
#include "motion/ShakeDetector.h"
#include "played_slots.h"

namespace {

std::string TracePath(const std::string& name) {
  return TRACES_DIR + name + ".csv";
}

class StandIn : public ::testing::Test {
 protected:
  void SetUp() override { setenv("WINCE_SENSOR", "trace", 1); }
  void TearDown() override {
    unsetenv("WINCE_SENSOR");
    unsetenv("WINCE_SENSOR_TRACE");
  }
};

TEST_F(StandIn, OpensAndResolvesEveryEntry) {
  setenv("WINCE_SENSOR_TRACE", TracePath("shake-plus-x").c_str(), 1);
  SensorDriver driver;
  EXPECT_EQ(1, driver.Open(1));
  EXPECT_NE(nullptr, driver.SensorHandle);
  EXPECT_TRUE(driver.OpenEntry && driver.CloseEntry && driver.ReadEntry);
  SensorSample sample;
  memset(&sample, 0x55, sizeof sample);
  EXPECT_EQ(1u, driver.Read(&sample));
  EXPECT_EQ((std::vector<SHORT>{0, 0, -1000}), (std::vector<SHORT>{sample.X, sample.Y, sample.Z}));
  for (BYTE b : sample.Reserved) EXPECT_EQ(0, b);
  EXPECT_EQ(1, driver.Close());
}

struct TraceCase {
  const char* trace;
  std::vector<int> played;
};

// Motion switched on phaseMs after the sensor opened; the three detectors tick every
// 50 ms, X then Y then Z, until the trace is over.
std::vector<int> Replay(const char* trace, DWORD phaseMs) {
  setenv("WINCE_SENSOR_TRACE", TracePath(trace).c_str(), 1);
  wince::test::VirtualClock clock;
  SensorDriver driver;
  EXPECT_EQ(1, driver.Open(1));
  NumberedSlots slots;
  ShakeDetectorX x(&driver, &slots.Slots);
  ShakeDetectorY y(&driver, &slots.Slots);
  ShakeDetectorZ z(&driver, &slots.Slots);
  std::vector<ShakeDetector*> detectors = {&x, &y, &z};
  for (ShakeDetector* detector : detectors) {
    detector->TuneForStartUp(5);
  }
  clock.AdvanceTime(phaseMs);
  for (ShakeDetector* detector : detectors) detector->Start();
  for (DWORD elapsed = 0; elapsed < 10000; elapsed += SHAKE_TIMER_MS) {
    clock.AdvanceTime(SHAKE_TIMER_MS);
    for (ShakeDetector* detector : detectors) detector->Tick();
  }
  driver.Close();
  return slots.Played();
}

TEST_F(StandIn, EachTracePlaysItsSlotsAtAnyTimerPhase) {
  const TraceCase cases[] = {
      {"shake-minus-y", {1}}, {"shake-plus-x", {2}}, {"shake-plus-y", {3}},  {"shake-minus-x", {4}},
      {"shake-z", {5}},       {"shake-weak", {}},    {"shake-upright", {}}, {"shake-double", {2, 2}},
  };
  for (const TraceCase& c : cases) {
    for (DWORD phase = 0; phase < SHAKE_TIMER_MS; phase += 10) {
      SCOPED_TRACE(std::string(c.trace) + " at phase " + std::to_string(phase));
      EXPECT_EQ(c.played, Replay(c.trace, phase));
    }
  }
}

}  // namespace
