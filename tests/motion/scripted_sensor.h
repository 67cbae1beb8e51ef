// The test's side of the scripted sensor library (found beside the test executable).
#pragma once

#include <windows.h>

struct SensorCalls {
  int opens = 0, reads = 0, closes = 0;
};

// What the next reads of the scripted library return.
void SetReading(SHORT x, SHORT y, SHORT z);
SensorCalls Calls();
