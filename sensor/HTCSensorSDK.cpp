// The exported entry points of the sensor library stand-in.
#include <cstring>
#include <mutex>
#include <unordered_set>

#include "sensor/Sources.h"

namespace {

// Only X, Y and Z carry meaning; the 14 bytes after them are always zero.
struct SampleRecord {
  int16_t x, y, z;
  uint8_t reserved[14];
};
static_assert(sizeof(SampleRecord) == 20, "the program reads a 20-byte sample");

struct OpenSensor {
  std::unique_ptr<sensor::Source> source;
};

std::mutex sensorsLock;
std::unordered_set<OpenSensor*> openSensors;

}  // namespace

// Any sensor kind opens the accelerometer; the handle is never null.
extern "C" WINCEAPI HANDLE HTCSensorOpen(DWORD sensorKind) {
  auto* sensor = new OpenSensor{sensor::ChooseSource(GetTickCount())};
  std::lock_guard<std::mutex> lock(sensorsLock);
  openSensors.insert(sensor);
  return sensor;
}

// Fills the 20-byte sample with the reading of this moment; 1 on success, 0 (and a
// sample of zeros) for a handle that is not open.
extern "C" WINCEAPI DWORD HTCSensorGetDataOutput(HANDLE handle, void* sample) {
  if (!sample) return 0;
  SampleRecord record{};
  std::unique_lock<std::mutex> lock(sensorsLock);
  bool open = openSensors.count(static_cast<OpenSensor*>(handle)) != 0;
  if (open) {
    sensor::Reading reading = static_cast<OpenSensor*>(handle)->source->Read(GetTickCount());
    record.x = reading.x;
    record.y = reading.y;
    record.z = reading.z;
  }
  lock.unlock();
  memcpy(sample, &record, sizeof record);
  return open ? 1 : 0;
}

extern "C" WINCEAPI DWORD HTCSensorClose(HANDLE handle) {
  std::unique_lock<std::mutex> lock(sensorsLock);
  auto* sensor = static_cast<OpenSensor*>(handle);
  if (openSensors.erase(sensor) == 0) return 0;
  lock.unlock();
  delete sensor;
  return 1;
}
