// The program's access to the G-sensor: the vendor's sensor library, loaded at run time.
// When the library or one of its entry points is missing, the driver stays closed and
// reads give a sample of zeros, which never starts a shake.
#pragma once

#include <windows.h>

// One reading as the sensor library fills it; only X, Y and Z are interpreted.
struct SensorSample {
  SHORT X;
  SHORT Y;
  SHORT Z;
  BYTE Reserved[14];
};
static_assert(sizeof(SensorSample) == 20, "the library fills 20 bytes");

typedef HANDLE (WINAPI* HtcSensorOpenProc)(DWORD sensorKind);
typedef DWORD (WINAPI* HtcSensorGetDataOutputProc)(HANDLE sensor, SensorSample* sample);
typedef DWORD (WINAPI* HtcSensorCloseProc)(HANDLE sensor);

class SensorDriver {
 public:
  // Loads "HTCSensorSDK.dll", resolves its three entry points and opens the sensor of
  // the given kind (the program passes 1). Returns 1 when the sensor was opened.
  BOOL Open(DWORD sensorKind);
  // Fills sample with the current reading; returns the library's result, or 0 with a
  // zeroed sample when the library is not there.
  DWORD Read(SensorSample* sample);
  // Closes the sensor if it was opened; returns 1.
  BOOL Close();

  HANDLE SensorHandle = nullptr;
  HtcSensorOpenProc OpenEntry = nullptr;
  HtcSensorCloseProc CloseEntry = nullptr;
  HtcSensorGetDataOutputProc ReadEntry = nullptr;
};
