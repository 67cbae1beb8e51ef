#include "entry/signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <thread>

#include "user/state.h"

namespace wince {
namespace {

int g_wakeUp = -1;  // write end of the pipe the closing thread waits on
std::atomic<bool> g_closing{false};

// Async-signal-safe: one byte into a pipe, or, the second time, the default action.
void OnSignal(int signal) {
  if (g_closing.exchange(true)) {
    ::signal(signal, SIG_DFL);
    raise(signal);  // delivered as soon as this handler returns
    return;
  }
  int saved = errno;
  char byte = 1;
  [[maybe_unused]] ssize_t written = write(g_wakeUp, &byte, 1);  // the pipe's only byte
  errno = saved;
}

}  // namespace

void CloseOnSignals() {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return;
  g_wakeUp = fds[1];
  std::thread([reader = fds[0]] {
    char byte;
    while (read(reader, &byte, 1) < 0 && errno == EINTR) {
    }
    CloseAllWindows();
  }).detach();
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

}  // namespace wince
