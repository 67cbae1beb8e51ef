// tracerec over the sensor library stand-in replaying a trace: what it writes is, row for
// row, what the library read, and the library replays the written trace the same.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>

#include <wince/testdriver.h>

#include "Recorder.h"
#include "sensor/Sources.h"

namespace {

RecordOptions options;

int WINAPI RecordMain(HINSTANCE, HINSTANCE, LPWSTR, int) { return RecordTrace(options); }

TEST(TraceRecorder, WritesATraceThatReplaysAsTheSensorRead) {
  const std::string original = TRACES_DIR "shake-double.csv";
  setenv("WINCE_SENSOR", "trace", 1);
  setenv("WINCE_SENSOR_TRACE", original.c_str(), 1);
  options.path = std::filesystem::temp_directory_path() / ("tracerec-" + std::to_string(getpid()) + ".csv");
  options.durationMs = 10000;
  char* live = nullptr;
  size_t liveSize = 0;
  options.live = open_memstream(&live, &liveSize);

  wince::test::Driver driver;
  driver.Start(RecordMain);
  driver.AdvanceTime(10000);
  EXPECT_EQ(0, driver.WaitForExit());
  fclose(options.live);

  auto source = sensor::TraceSource::Load(original, 0);
  auto recorded = sensor::TraceSource::Load(options.path, 0);
  ASSERT_TRUE(source && recorded);
  ASSERT_EQ(201u, recorded->Rows().size()) << "a row at the open and one every 50 ms for 10 s";
  for (size_t i = 0; i < recorded->Rows().size(); ++i) {
    const auto& row = recorded->Rows()[i];
    SCOPED_TRACE(row.ms);
    EXPECT_EQ(DWORD(i * 50), row.ms);
    EXPECT_EQ(source->Read(row.ms), row.reading);
    EXPECT_EQ(row.reading, recorded->Read(row.ms + 49));
  }
  EXPECT_EQ(10, std::count(live, live + liveSize, '\n')) << "a line a second:\n" << live;
  EXPECT_NE(nullptr, strstr(live, "\n   10 s   x      0   y      0   z  -1000\n")) << live;
  free(live);
  std::filesystem::remove(options.path);
  unsetenv("WINCE_SENSOR");
  unsetenv("WINCE_SENSOR_TRACE");
}

}  // namespace
