#include "motion/SensorDriver.h"

#include <cstring>

namespace {

// The entry's address as its own function type (through the generic function pointer
// type, which the compiler accepts as a deliberate cast).
template <typename Proc>
Proc EntryPoint(HMODULE library, LPCWSTR name) {
  return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

}  // namespace

BOOL SensorDriver::Open(DWORD sensorKind) {
  // The library stays loaded until the process ends, so its module handle is not kept.
  HMODULE library = LoadLibraryW(TEXT("HTCSensorSDK.dll"));
  if (!library) return 0;
  OpenEntry = EntryPoint<HtcSensorOpenProc>(library, TEXT("HTCSensorOpen"));
  CloseEntry = EntryPoint<HtcSensorCloseProc>(library, TEXT("HTCSensorClose"));
  ReadEntry = EntryPoint<HtcSensorGetDataOutputProc>(library, TEXT("HTCSensorGetDataOutput"));
  if (!OpenEntry || !CloseEntry || !ReadEntry) return 0;
  SensorHandle = OpenEntry(sensorKind);
  return 1;
}

DWORD SensorDriver::Read(SensorSample* sample) {
  if (!ReadEntry) {
    memset(sample, 0, sizeof *sample);
    return 0;
  }
  return ReadEntry(SensorHandle, sample);
}

BOOL SensorDriver::Close() {
  // A sensor that was never opened is not closed: the library never handed out a handle.
  if (CloseEntry && SensorHandle) CloseEntry(SensorHandle);
  return 1;
}
