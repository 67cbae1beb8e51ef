// The plays traceplot marks on each recorded trace, and its table of plays by sensitivity.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TracePlot.h"

namespace {

struct TraceCase {
  const char* trace;
  int weakest;               // the lowest sensitivity that plays (11: none plays)
  std::vector<int> slots;    // what the detectors play from that sensitivity on
  std::vector<DWORD> peaks;  // when each of those shakes peaks
  size_t spent;              // shakes judged at sensitivity 5 without a sound
};

TEST(TracePlot, MarksWhatTheDetectorsPlayOnEachTraceAtEachSensitivity) {
  const TraceCase cases[] = {
      {"shake-minus-y", 1, {1}, {8150}, 0}, {"shake-plus-x", 1, {2}, {8150}, 0},
      {"shake-plus-y", 1, {3}, {8150}, 0},  {"shake-minus-x", 1, {4}, {8150}, 0},
      {"shake-z", 1, {5}, {8150}, 0},       {"shake-weak", 10, {2}, {8150}, 0},
      {"shake-upright", 11, {}, {}, 2},  // the X shake, and Y held at -1000 by gravity     {"shake-double", 1, {2, 2}, {8150, 8750}, 0},
  };
  for (const TraceCase& c : cases) {
    for (DWORD phase : {0, 20, 40}) {
      TracePlot plot;
      ASSERT_TRUE(AnalyseTrace(TRACES_DIR + std::string(c.trace) + ".csv", 5, phase, &plot));
      for (int s = 1; s <= kSensitivities; ++s) {
        SCOPED_TRACE(std::string(c.trace) + " at phase " + std::to_string(phase) + ", sensitivity " +
                     std::to_string(s));
        std::vector<int> played;
        for (const ShakePlay& play : plot.runs[s - 1].plays) {
          // Judged on the first tick that does not grow: one of the two after the peak.
          const size_t i = played.size();
          ASSERT_LT(i, c.peaks.size());
          EXPECT_GT(play.ms, c.peaks[i]);
          EXPECT_LE(play.ms, c.peaks[i] + 100);
          played.push_back(play.slot);
        }
        EXPECT_EQ(s >= c.weakest ? c.slots : std::vector<int>{}, played);
      }
      EXPECT_EQ(c.spent, plot.Drawn().spent.size()) << c.trace;
      EXPECT_EQ(&plot.runs[4], &plot.Drawn()) << "what is drawn is what the sensitivity chosen does";
    }
  }
  TracePlot plot;
  ASSERT_TRUE(AnalyseTrace(TRACES_DIR "shake-double.csv", 7, 0, &plot));
  const std::string png = std::filesystem::temp_directory_path() / ("traceplot-" + std::to_string(getpid()) + ".png");
  EXPECT_TRUE(DrawTracePlot(plot, png));
  EXPECT_GT(std::filesystem::file_size(png), 10000u);
  std::filesystem::remove(png);
  EXPECT_FALSE(AnalyseTrace(TRACES_DIR "no-such-trace.csv", 5, 0, &plot));
}

}  // namespace
