#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "sensor/Sources.h"

namespace sensor {

namespace {

// One row "ms,x,y,z"; false for anything else.
bool ParseRow(const std::string& line, DWORD* ms, Reading* reading) {
  const char* p = line.c_str();
  char* end;
  long long values[4];
  for (int i = 0; i < 4; ++i) {
    while (*p == ' ' || *p == '\t') ++p;
    values[i] = strtoll(p, &end, 10);
    if (end == p) return false;
    p = end;
    while (*p == ' ' || *p == '\t') ++p;
    if (i < 3 && *p++ != ',') return false;
  }
  if (*p && *p != '\r') return false;
  if (values[0] < 0 || values[0] > 0xFFFFFFFFLL) return false;
  *ms = DWORD(values[0]);
  *reading = {ClampReading(double(values[1])), ClampReading(double(values[2])), ClampReading(double(values[3]))};
  return true;
}

}  // namespace

std::unique_ptr<TraceSource> TraceSource::Load(const std::string& path, DWORD openTick) {
  std::ifstream file(path);
  if (!file) return nullptr;
  auto trace = std::unique_ptr<TraceSource>(new TraceSource);
  trace->openTick_ = openTick;
  std::string line;
  Row row;
  while (std::getline(file, line)) {
    if (!line.empty() && line[0] != '#' && ParseRow(line, &row.ms, &row.reading)) trace->rows_.push_back(row);
  }
  if (trace->rows_.empty()) return nullptr;
  std::stable_sort(trace->rows_.begin(), trace->rows_.end(),
                   [](const Row& a, const Row& b) { return a.ms < b.ms; });
  return trace;
}

Reading TraceSource::Read(DWORD tick) {
  DWORD elapsed = tick - openTick_;  // the tick count wraps; the difference does not
  auto after = std::upper_bound(rows_.begin(), rows_.end(), elapsed,
                                [](DWORD ms, const Row& row) { return ms < row.ms; });
  return after == rows_.begin() ? rows_.front().reading : (after - 1)->reading;
}

}  // namespace sensor
