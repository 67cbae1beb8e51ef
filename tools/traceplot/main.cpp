// traceplot: draws a sensor trace with what the program's shake detectors do on it.
//
//   traceplot <trace.csv> [output.png] [--sensitivity 1..10] [--phase ms] [--from ms] [--to ms]
//
// The output (default: the trace's name with .png, in the current folder) shows the X, Y
// and Z readings, the detectors' Threshold, the MinPeak of the sensitivity (default 5)
// and ZLimit, every play with its slot, and the plays per slot at each sensitivity. The
// detectors tick every 50 ms from --phase ms after the sensor opened (default 0), as they
// would with motion switched on then. --from and --to show a part of the trace (the
// plays still come from the whole of it). The sensor library is loaded from beside this
// program, so run it from the application folder where the build puts it.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "TracePlot.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: traceplot <trace.csv> [output.png] [--sensitivity 1..10] [--phase ms] [--from ms] [--to ms]\n");
  return 2;
}

// A whole number in [low, high] from text; false for anything else.
bool ParseNumber(const char* text, long low, long high, long* value) {
  char* end;
  long number = std::strtol(text, &end, 10);
  if (end == text || *end || number < low || number > high) return false;
  *value = number;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("WINCE_HEADLESS", "1", 1);
  std::string trace, output;
  long sensitivity = 5, phase = 0, from = 0, to = -1;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--sensitivity") && i + 1 < argc) {
      if (!ParseNumber(argv[++i], 1, 10, &sensitivity)) return Usage();
    } else if (!std::strcmp(argv[i], "--phase") && i + 1 < argc) {
      if (!ParseNumber(argv[++i], 0, 60000, &phase)) return Usage();
    } else if (!std::strcmp(argv[i], "--from") && i + 1 < argc) {
      if (!ParseNumber(argv[++i], 0, 0x7FFFFFFF, &from)) return Usage();
    } else if (!std::strcmp(argv[i], "--to") && i + 1 < argc) {
      if (!ParseNumber(argv[++i], 1, 0x7FFFFFFF, &to)) return Usage();
    } else if (argv[i][0] == '-') {
      return Usage();
    } else if (trace.empty()) {
      trace = argv[i];
    } else if (output.empty()) {
      output = argv[i];
    } else {
      return Usage();
    }
  }
  if (trace.empty() || (to >= 0 && to <= from)) return Usage();
  if (output.empty()) output = std::filesystem::path(trace).stem().string() + ".png";

  TracePlot plot;
  if (!AnalyseTrace(trace, int(sensitivity), DWORD(phase), &plot)) {
    std::fprintf(stderr, "traceplot: %s holds no trace\n", trace.c_str());
    return 1;
  }
  if (DWORD(from) >= plot.lengthMs) return Usage();
  plot.fromMs = DWORD(from);
  if (to >= 0) plot.toMs = std::min(plot.lengthMs, DWORD(to));
  if (!DrawTracePlot(plot, output)) {
    std::fprintf(stderr, "traceplot: cannot write %s\n", output.c_str());
    return 1;
  }
  std::printf("%s: %zu plays at sensitivity %ld\n", output.c_str(), plot.Plays().size(), sensitivity);
  for (const ShakePlay& play : plot.Plays()) std::printf("  %7.2f s  slot %d\n", play.ms / 1000.0, play.slot);
  return 0;
}
