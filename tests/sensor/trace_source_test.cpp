// Replaying a recorded trace.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "sensor/Sources.h"

namespace {

using sensor::Reading;

class TraceFile : public ::testing::Test {
 protected:
  void Write(const std::string& text) { std::ofstream(path) << text; }
  void TearDown() override { std::filesystem::remove(path); }
  std::string path = std::filesystem::temp_directory_path() / ("trace-" + std::to_string(getpid()) + ".csv");
};

TEST_F(TraceFile, HoldsEachRowUntilTheNextAndTheLastAfterTheEnd) {
  Write("# a comment\nms,x,y,z\n\n0,0,0,-1000\n100, 500, -20, -990\nnot a row\n150,1200,0,-1000\n"
        "300,7,8,9\r\n");
  auto trace = sensor::TraceSource::Load(path, 5000);
  ASSERT_NE(nullptr, trace);
  EXPECT_EQ((Reading{0, 0, -1000}), trace->Read(5000));
  EXPECT_EQ((Reading{0, 0, -1000}), trace->Read(5099));
  EXPECT_EQ((Reading{500, -20, -990}), trace->Read(5100));
  EXPECT_EQ((Reading{1200, 0, -1000}), trace->Read(5299));
  EXPECT_EQ((Reading{7, 8, 9}), trace->Read(5300));
  EXPECT_EQ((Reading{7, 8, 9}), trace->Read(900000));
}

TEST_F(TraceFile, FollowsTheTickCountAcrossItsWrap) {
  Write("0,1,1,1\n100,2,2,2\n");
  auto trace = sensor::TraceSource::Load(path, 0xFFFFFFF0u);
  ASSERT_NE(nullptr, trace);
  EXPECT_EQ((Reading{1, 1, 1}), trace->Read(0x50));  // 96 ms after the open
  EXPECT_EQ((Reading{2, 2, 2}), trace->Read(0x54));  // 100 ms
}

TEST_F(TraceFile, UnorderedRowsAreSortedAndOutOfRangeValuesClamped) {
  Write("200,3,3,3\n0,1,1,1\n100,40000,-40000,2\n");
  auto trace = sensor::TraceSource::Load(path, 0);
  ASSERT_NE(nullptr, trace);
  EXPECT_EQ((Reading{1, 1, 1}), trace->Read(50));
  EXPECT_EQ((Reading{32767, -32768, 2}), trace->Read(150));
  EXPECT_EQ((Reading{3, 3, 3}), trace->Read(250));
}

TEST_F(TraceFile, NoTraceWithoutRows) {
  Write("ms,x,y,z\n1,2,3\n1,2,3,4,5\n-5,1,1,1\nx,1,1,1\n");
  EXPECT_EQ(nullptr, sensor::TraceSource::Load(path, 0));
  EXPECT_EQ(nullptr, sensor::TraceSource::Load(path + ".missing", 0));
}

}  // namespace
