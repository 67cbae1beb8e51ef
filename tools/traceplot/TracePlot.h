// The picture of a trace: its X, Y and Z readings in three stacked panels with the shake
// detectors' lines (Threshold, MinPeak of one sensitivity, ZLimit) and every play where
// it happens (and every shake judged but spent without one), and below them a table of the plays per slot at each sensitivity 1 to 10.
// Drawn with the layer's GDI in the program's colours and saved with its PNG writer.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "TraceReplay.h"
#include "sensor/Sources.h"

enum { kSensitivities = 10 };

struct TracePlot {
  std::string name;         // the trace file's name
  std::string description;  // its first comment line, without the '#'
  std::unique_ptr<sensor::TraceSource> trace;  // replayed from 0 ms
  DWORD lengthMs = 0;       // the time replayed: the trace and a second after it
  DWORD fromMs = 0, toMs = 0;  // the time shown, within it (all of it by default)
  int sensitivity = 5;      // the one whose MinPeak and plays are drawn
  DWORD phaseMs = 0;        // when motion was switched on
  Replay runs[kSensitivities];  // what the detectors do at sensitivity 1..10

  const Replay& Drawn() const { return runs[sensitivity - 1]; }
  const std::vector<ShakePlay>& Plays() const { return Drawn().plays; }
};

// Reads the trace at path and replays it through the detectors at every sensitivity
// (1..10; sensitivity picks the one drawn); false when the file holds no trace, and then
// *problem, when given, says why (the trace source's words: "not found" ...).
bool AnalyseTrace(const std::string& path, int sensitivity, DWORD phaseMs, TracePlot* plot,
                  std::string* problem = nullptr);

// Draws the plot and writes it as a PNG; false when it cannot be written.
bool DrawTracePlot(const TracePlot& plot, const std::string& pngPath);
