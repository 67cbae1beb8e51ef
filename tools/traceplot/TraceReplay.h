// A trace replayed through the program's own shake detectors, exactly as the running
// program would meet it with motion playback on: the sensor library stand-in replays the
// file against a virtual clock, and ShakeDetectorX, Y and Z tick every 50 ms, in that
// order, tuned as start-up tunes them (ShakeDetector::TuneForStartUp). What they play is
// read back from the layer's silent sound sink.
#pragma once

#include <string>
#include <vector>
#include <windows.h>

struct ShakePlay {
  DWORD ms;  // since the sensor opened
  int slot;  // 1..5
  bool operator==(const ShakePlay&) const = default;
};

// A shake that a detector judged and spent without a sound (Z not below ZLimit, or the
// axis reading zero on the judging sample).
struct SpentShake {
  DWORD ms;
  int axis;  // 0 X, 1 Y, 2 Z
};

struct Replay {
  std::vector<ShakePlay> plays;
  std::vector<SpentShake> spent;
};

// The axis whose detector plays a slot: X for 2 and 4, Y for 1 and 3, Z for 5.
int AxisOfSlot(int slot);

// The first lengthMs of the trace at path, every axis at the given sensitivity, motion
// switched on phaseMs after the sensor opened. The sensor library is loaded from beside
// the executable, as the program loads it; this sets WINCE_SENSOR and WINCE_SENSOR_TRACE
// for it, and nothing happens when the library cannot be opened. Runs headless (the
// sound sink records instead of sounding): call it only from a process that has no
// virtual clock of its own.
Replay ReplayTrace(const std::string& path, int sensitivity, DWORD phaseMs, DWORD lengthMs);
