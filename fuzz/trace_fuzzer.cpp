// A recorded accelerometer trace of any bytes, replayed over a few ticks.
#include "scratch.h"
#include "sensor/Sources.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = fuzz::ScratchFolder() + "/trace.csv";
  fuzz::WriteFile(path, data, size);
  if (auto trace = sensor::TraceSource::Load(path, 0xFFFFFF00u)) {
    for (DWORD tick : {0u, 0xFFFFFF00u, 0xFFFFFFFFu, 100u, 0x7FFFFFFFu}) trace->Read(tick);
  }
  return 0;
}
