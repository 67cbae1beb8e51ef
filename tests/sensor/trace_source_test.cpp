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

// Bad files: each row is a trace that must be refused, or read for its good rows only,
// without holding more than a line of it at a time.
TEST_F(TraceFile, BadFilesAreRefusedOrKeepOnlyTheirGoodRows) {
  const std::string row = "10,1,2,3\n";
  const struct {
    const char* what;
    std::string text;
    off_t size;     // when larger than the text: the file is extended (sparse) to it
    bool loads;     // with the one good row, read at 10 ms
  } rows[] = {
      {"one 8 GB line", "1", off_t(8) << 30, false},
      {"just over the size limit", row, sensor::TraceSource::kMaxTraceBytes + 1, false},
      {"a 1 MB line before a row", std::string(1 << 20, '7') + "\n" + row, 0, true},
      {"a row longer than a line", "10,1,2,3" + std::string(300, ' ') + "\n", 0, false},
      {"NUL bytes", std::string("10,1,2,\0003\n", 11), 0, false},
      {"time beyond 32 bits", "99999999999999999999,1,2,3\n4294967296,1,1,1\n" + row, 0, true},
      {"numbers beyond 64 bits", "10,99999999999999999999,0,0\n", 0, true},
      {"no line break at the end", "10,1,2,3", 0, true},
      {"only line breaks", std::string(5000, '\n'), 0, false},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    Write(r.text);
    if (r.size > off_t(r.text.size())) std::filesystem::resize_file(path, r.size);
    auto trace = sensor::TraceSource::Load(path, 0);
    ASSERT_EQ(r.loads, trace != nullptr);
    if (trace && r.text.find("9999999999999999999,0,0") != std::string::npos) {
      EXPECT_EQ((Reading{32767, 0, 0}), trace->Read(10));
    } else if (trace) {
      EXPECT_EQ((Reading{1, 2, 3}), trace->Read(10));
    }
  }
  EXPECT_EQ(nullptr, sensor::TraceSource::Load(std::filesystem::temp_directory_path(), 0));  // a folder
}

}  // namespace
