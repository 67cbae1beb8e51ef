#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

std::unique_ptr<TraceSource> TraceSource::Load(const std::string& path, DWORD openTick, std::string* problem) {
  auto fail = [problem](std::string why) {
    if (problem) *problem = std::move(why);
    return nullptr;
  };
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return fail(errno == ENOENT ? "not found" : std::string("cannot be read: ") + std::strerror(errno));
  struct stat info;
  const bool regular = fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode);
  const bool fits = regular && info.st_size <= kMaxTraceBytes;
  auto trace = std::unique_ptr<TraceSource>(new TraceSource);
  trace->openTick_ = openTick;
  // Lines longer than any row are dropped as they are read, never held whole.
  std::string line;
  bool overlong = false;
  Row row;
  auto endLine = [&] {
    if (!overlong && !line.empty() && line[0] != '#' && ParseRow(line, &row.ms, &row.reading))
      trace->rows_.push_back(row);
    line.clear();
    overlong = false;
  };
  char block[4096];
  size_t n;
  while (fits && (n = std::fread(block, 1, sizeof block, file)) > 0) {
    for (size_t i = 0; i < n; ++i) {
      if (block[i] == '\n') {
        endLine();
      } else if (line.size() < kMaxTraceLine) {
        line += block[i];
      } else {
        overlong = true;
      }
    }
  }
  endLine();
  std::fclose(file);
  if (!regular) return fail("is not a file");
  if (!fits) return fail("is larger than " + std::to_string(kMaxTraceBytes >> 20) + " MB");
  if (trace->rows_.empty()) return fail("holds no rows of ms,x,y,z");
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
