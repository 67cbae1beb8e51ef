// The trace recorder: reads the sensor through the program's own SensorDriver (so the
// sensor library beside the executable, with whatever source it picks) every 50 ms and
// writes each reading as a trace row "ms,x,y,z", milliseconds since the sensor opened,
// in the format the sensor library replays. A small window shows the latest reading and
// takes the keys of the keyboard source.
#pragma once

#include <cstdio>
#include <string>
#include <windows.h>

struct RecordOptions {
  std::string path;          // the trace written
  DWORD durationMs = 0;      // how long to record; 0 until the window is closed
  FILE* live = nullptr;      // a line a second with the three readings, when given
};

// Opens the sensor, records until the duration is over or the window is closed, and
// closes the sensor; 0 when the trace was written, 1 when the sensor or the file could
// not be opened or written, and then *problem, when given, says which and why. Runs the
// message loop of the calling thread.
int RecordTrace(const RecordOptions& options, std::string* problem = nullptr);

// Ends the recording under way as if its window were closed, or the next one as soon as
// it starts; safe from any thread.
void StopRecording();
