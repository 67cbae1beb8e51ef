// The three shake detectors, step by step, on readings the test scripts.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "motion/ShakeDetector.h"
#include "played_slots.h"
#include "scripted_sensor.h"

namespace {

enum Axis { X, Y, Z };

struct Case {
  const char* name;
  Axis axis;
  std::vector<SHORT> readings;  // of the detector's axis, one per tick
  SHORT otherZ;                 // Z of every sample (X and Y detectors)
  std::vector<int> played;
};

class Detectors : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(1, driver.Open(1)); }

  static void SetAxis(Axis axis, SHORT value, SHORT z) {
    if (axis == X) SetReading(value, 0, z);
    if (axis == Y) SetReading(0, value, z);
    if (axis == Z) SetReading(0, 0, value);
  }

  // A detector of the axis tuned as start-up tunes it (Threshold 300, ZLimit -500, MinPeak
  // from the sensitivity); started at rest.
  ShakeDetector* Make(Axis axis, int sensitivity = 5) {
    ShakeDetector* detector = axis == X   ? static_cast<ShakeDetector*>(new ShakeDetectorX(&driver, &slots.Slots))
                              : axis == Y ? static_cast<ShakeDetector*>(new ShakeDetectorY(&driver, &slots.Slots))
                                          : static_cast<ShakeDetector*>(new ShakeDetectorZ(&driver, &slots.Slots));
    made.emplace_back(detector);
    detector->TuneForStartUp(sensitivity);
    SetReading(0, 0, -1000);
    detector->Start();
    return detector;
  }

  std::vector<int> Run(ShakeDetector* detector, Axis axis, const std::vector<SHORT>& readings, SHORT z) {
    for (SHORT value : readings) {
      SetAxis(axis, value, z);
      detector->Tick();
    }
    return slots.Played();
  }

  SensorDriver driver;
  NumberedSlots slots;
  std::vector<std::unique_ptr<ShakeDetector>> made;
};

TEST_F(Detectors, JudgeEachShakeOnce) {
  const Case cases[] = {
      {"falls after the peak: slot 4", X, {0, -500, -900, -850, 0}, -900, {4}},
      {"an equal sample judges: slot 2", X, {0, 500, 900, 900, 0}, -900, {2}},
      {"one sample above Threshold never plays", X, {0, 900, 0}, -900, {}},
      {"peak not above MinPeak", X, {0, 400, 790, 700, 0}, -900, {}},
      {"peak equal to MinPeak", X, {0, 400, 800, 700, 0}, -900, {}},
      {"peak just above MinPeak", X, {0, 400, 801, 700, 0}, -900, {2}},
      {"a later fall does not play again", X, {0, 500, 900, 850, 950, 880, 0}, -900, {2}},
      {"phone upright: spent without sound", X, {0, -500, -900, -850, 0}, -400, {}},
      {"phone upright, equal sample", X, {0, 500, 900, 900, 0}, -400, {}},
      {"Z equal to ZLimit is not below it", X, {0, 500, 900, 850, 0}, -500, {}},
      {"Threshold itself does not enter", X, {0, 300, 0}, -900, {}},
      {"Threshold itself ends a shake", X, {0, 500, 900, 300, 850, 0}, -900, {}},
      {"the judging sample gives the direction", X, {0, 500, 900, -850, 0}, -900, {4}},
      {"re-armed after the fall: two shakes", X, {0, 500, 900, 850, 0, -500, -900, -850, 0}, -900, {2, 4}},
      {"no re-arm while above Threshold", X, {0, 500, 900, 850, 400, 900, 850, 0}, -900, {2}},
      {"a saturated reading is a strong shake", X, {0, -32768, -20000, 0}, -900, {4}},
      {"Y negative: slot 1", Y, {0, -500, -900, -850, 0}, -900, {1}},
      {"Y positive: slot 3", Y, {0, 500, 900, 850, 0}, -900, {3}},
      {"Y upright", Y, {0, 500, 900, 850, 0}, -300, {}},
      {"Z lifted sharply: slot 5", Z, {-1000, -1500, -2000, -1900, -1000}, 0, {5}},
      {"Z from positive readings is not below ZLimit", Z, {1000, 1500, 2000, 1900, 1000}, 0, {}},
      {"Z near zero never starts a shake", Z, {0, -300, 0, 300, 0}, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShakeDetector* detector = Make(c.axis);
    EXPECT_EQ(c.played, Run(detector, c.axis, c.readings, c.otherZ));
  }
}

TEST_F(Detectors, AJudgedShakeKeepsGrowingItsPeakAndIsSpent) {
  ShakeDetector* x = Make(X);
  EXPECT_EQ(std::vector<int>{2}, Run(x, X, {0, 500, 900, 850}, -900));
  EXPECT_TRUE(x->InShake);
  EXPECT_TRUE(x->Fired);
  EXPECT_EQ(900, x->Peak);
  EXPECT_EQ(std::vector<int>{}, Run(x, X, {1200, 1100}, -900));
  EXPECT_EQ(1200, x->Peak);
  EXPECT_EQ(std::vector<int>{}, Run(x, X, {0}, -900));
  EXPECT_FALSE(x->InShake);
  EXPECT_FALSE(x->Fired);
}

TEST_F(Detectors, AnEmptySlotSpendsTheShakeSilently) {
  slots.Clear(2);
  ShakeDetector* x = Make(X);
  EXPECT_EQ(std::vector<int>{}, Run(x, X, {0, 500, 900, 850}, -900));
  EXPECT_TRUE(x->Fired);
}

TEST_F(Detectors, StoppedInTheMiddleAndStartedAgainContinuesTheShake) {
  ShakeDetector* x = Make(X);
  EXPECT_EQ(std::vector<int>{}, Run(x, X, {0, 500, 900}, -900));
  x->Stop();
  int readsWhenStopped = Calls().reads;
  EXPECT_EQ(std::vector<int>{}, Run(x, X, {0, 0, 0}, -900));
  EXPECT_EQ(readsWhenStopped, Calls().reads) << "a stopped detector reads nothing";
  EXPECT_TRUE(x->InShake);
  EXPECT_EQ(900, x->Peak);

  SetReading(850, 0, -900);
  EXPECT_EQ(1, x->Start());
  EXPECT_EQ(readsWhenStopped + 1, Calls().reads) << "one priming read";
  EXPECT_TRUE(x->Active);
  EXPECT_EQ(std::vector<int>{2}, Run(x, X, {850}, -900));
}

TEST_F(Detectors, SensitivitySetsTheWeakestShakeThatPlays) {
  for (int s = 1; s <= 10; ++s) EXPECT_EQ(1050 - 50 * s, SensitivityToMinPeak(s)) << s;
  for (int s : {0, 11, -1, 1000}) EXPECT_EQ(800, SensitivityToMinPeak(s)) << s;

  EXPECT_EQ(std::vector<int>{2}, Run(Make(X, 10), X, {0, 400, 600, 500, 0}, -900));
  EXPECT_EQ(std::vector<int>{}, Run(Make(X, 1), X, {0, 500, 990, 900, 0}, -900));
  EXPECT_EQ(std::vector<int>{2}, Run(Make(X, 0), X, {0, 500, 801, 700, 0}, -900));
  EXPECT_EQ(std::vector<int>{}, Run(Make(X, 11), X, {0, 500, 800, 700, 0}, -900));
}

}  // namespace
