// A sensor library for the driver and detector tests: it reads whatever the test set,
// and counts the calls made into it. Built once complete and once without the read entry.
#include <windows.h>

namespace {

SHORT reading[3] = {0, 0, -1000};
int opens = 0, reads = 0, closes = 0;
HANDLE const kSensor = reinterpret_cast<HANDLE>(0x5E50);

}  // namespace

extern "C" WINCEAPI HANDLE HTCSensorOpen(DWORD) {
  ++opens;
  return kSensor;
}

#ifdef SCRIPTED_SENSOR_READS
extern "C" WINCEAPI DWORD HTCSensorGetDataOutput(HANDLE sensor, SHORT* sample) {
  ++reads;
  if (sensor != kSensor) return 0;
  sample[0] = reading[0];
  sample[1] = reading[1];
  sample[2] = reading[2];
  for (int i = 3; i < 10; ++i) sample[i] = 0;
  return 1;
}
#endif

extern "C" WINCEAPI DWORD HTCSensorClose(HANDLE) {
  ++closes;
  return 1;
}

extern "C" WINCEAPI void ScriptedSensorSet(SHORT x, SHORT y, SHORT z) {
  reading[0] = x;
  reading[1] = y;
  reading[2] = z;
}

// Calls so far of open, read and close.
extern "C" WINCEAPI void ScriptedSensorCalls(int* openCalls, int* readCalls, int* closeCalls) {
  *openCalls = opens;
  *readCalls = reads;
  *closeCalls = closes;
}
