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
#include <thread>

#include "Recorder.h"

int main(int argc, char** argv) {
  char* end = nullptr;
  const double seconds = argc == 3 ? std::strtod(argv[2], &end) : 0;
  if (argc < 2 || argc > 3 || (argc == 3 && (*end || !(seconds > 0 && seconds < 86400)))) {
    std::fprintf(stderr, "usage: tracerec <output.csv> [seconds]\n");
    return 2;
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
  const int result = RecordTrace(options);

  pthread_kill(waiter.native_handle(), SIGUSR1);
  waiter.join();
  if (result != 0) std::fprintf(stderr, "tracerec: cannot open the sensor or write %s\n", argv[1]);
  return result;
}
