// tracerec: records what the sensor library reads into a trace that it can replay.
//
//   tracerec <output.csv> [seconds]
//
// Reads the sensor every 50 ms through the library beside this program, from the source
// it picks (WINCE_SENSOR: iio, keyboard, trace with WINCE_SENSOR_TRACE), for the given
// number of seconds or until Ctrl+C, and prints the three readings once a second. Its
// small window shows them too and, for the keyboard source, takes the arrow keys and
// the space bar. Replay the result with WINCE_SENSOR=trace WINCE_SENSOR_TRACE=<output.csv>.

#include <pthread.h>
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "Recorder.h"
#include "sensor/Sources.h"

namespace {

constexpr char kUsage[] = "usage: tracerec <output.csv> [seconds]\n";

constexpr char kHelp[] =
    "tracerec: records what the sensor reads, a row of ms,x,y,z (milli-g) every 50 ms, for\n"
    "the seconds given or until Ctrl+C or its window is closed, and prints the readings\n"
    "once a second. The sensor library in its own folder picks the source as the program\n"
    "does (WINCE_SENSOR: iio, keyboard, or trace with WINCE_SENSOR_TRACE); for the\n"
    "keyboard, the arrow keys and the space bar shake while its window has the focus.\n"
    "Replay the result with WINCE_SENSOR=trace WINCE_SENSOR_TRACE=<output.csv>, or draw it\n"
    "with traceplot.\n";

// A trace to replay that cannot be read would record a phone at rest: what is wrong with
// it, or nothing when no trace is asked for or it can be replayed.
std::string ReplayedTraceProblem() {
  const char* choice = std::getenv("WINCE_SENSOR");
  const char* trace = std::getenv("WINCE_SENSOR_TRACE");
  const bool wanted = !choice || !*choice || !std::strcmp(choice, "trace");
  if (!wanted || !trace || !*trace) return "";
  std::string problem;
  if (sensor::TraceSource::Load(trace, 0, &problem)) return "";
  return "the trace to replay, " + std::string(trace) + " (WINCE_SENSOR_TRACE): " + problem;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
    std::printf("%s\n%s", kUsage, kHelp);
    return 0;
  }
  char* end = nullptr;
  const double seconds = argc == 3 ? std::strtod(argv[2], &end) : 0;
  if (argc < 2 || argc > 3 || argv[1][0] == '-' || (argc == 3 && (*end || !(seconds > 0 && seconds < 86400)))) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (const std::string problem = ReplayedTraceProblem(); !problem.empty()) {
    std::fprintf(stderr, "tracerec: %s\n", problem.c_str());
    return 1;
  }
  // A small window is enough for the readings and the keys.
  setenv("WINCE_SCREEN", "420x150", 0);
  setenv("WINCE_DPI", "96", 0);

  // Ctrl+C and termination end the recording through its window, so the trace is
  // complete; the signals are taken by one waiting thread (blocked everywhere else,
  // also in every thread started later), and SIGUSR1 ends that thread.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGUSR1);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  std::thread waiter([&signals] {
    int signal = 0;
    while (sigwait(&signals, &signal) == 0 && signal != SIGUSR1) StopRecording();
  });

  RecordOptions options;
  options.path = argv[1];
  options.durationMs = DWORD(seconds * 1000);
  options.live = stdout;
  std::string problem;
  const int result = RecordTrace(options, &problem);

  pthread_kill(waiter.native_handle(), SIGUSR1);
  waiter.join();
  if (result != 0) std::fprintf(stderr, "tracerec: %s\n", problem.c_str());
  return result;
}
