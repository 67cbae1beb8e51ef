// traceplot: draws a sensor trace with what the program's shake detectors do on it: the
// X, Y and Z readings, the detectors' Threshold, the MinPeak of one sensitivity and
// ZLimit, every play with its slot, and the plays per slot at each sensitivity (kHelp
// below has the command line). The sensor library is loaded from beside this program,
// so run it from the application folder where the build puts it.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "TracePlot.h"

namespace {

constexpr char kUsage[] =
    "usage: traceplot <trace.csv> [output.png] [--sensitivity 1..10] [--phase ms] [--from ms] [--to ms]\n";

constexpr char kHelp[] =
    "traceplot: draws a sensor trace with what TiltChime's shake detectors do on it, and\n"
    "prints every play with its time and slot.\n\n"
    "  trace.csv        rows of ms,x,y,z in milli-g, as tracerec writes them (traces/ holds some)\n"
    "  output.png       the picture (default: the trace's name with .png, in the current folder)\n"
    "  --sensitivity N  the sensitivity whose MinPeak and plays are drawn (default 5); the\n"
    "                   table below the plot has the plays at every sensitivity\n"
    "  --phase ms       when motion is switched on after the sensor opened (default 0),\n"
    "                   which moves the detectors' 50 ms ticks\n"
    "  --from, --to ms  the part of the trace shown (the plays come from all of it)\n\n"
    "It replays the trace through the sensor library in its own folder, as the program does.\n";

int Usage() {
  std::fputs(kUsage, stderr);
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
  if (argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
    std::printf("%s\n%s", kUsage, kHelp);
    return 0;
  }
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
  std::string problem;
  if (!AnalyseTrace(trace, int(sensitivity), DWORD(phase), &plot, &problem)) {
    std::fprintf(stderr, "traceplot: %s: %s\n", trace.c_str(), problem.c_str());
    return 1;
  }
  if (DWORD(from) >= plot.lengthMs) {
    std::fprintf(stderr, "traceplot: --from %ld is beyond the end of %s (%lu ms)\n", from, trace.c_str(),
                 static_cast<unsigned long>(plot.lengthMs));
    return 2;
  }
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
