// Power, and the debugger's output.
#include "kernel/power.h"

#include <atomic>
#include <cstdio>
#include <string>

#include "common/utf.h"
#include "files/paths.h"
#include "kernel/sched.h"

namespace wince {
namespace {
std::atomic<uint64_t> g_lastReset{0};
}

uint64_t LastIdleTimerReset() { return g_lastReset; }

void DebugLine(const std::string& text) {
  const std::string& executable = ExecutableHostPath();
  std::string line = executable.substr(executable.rfind('/') + 1) + ": " + text + "\n";
  OutputDebugStringW(FromUtf8(line).c_str());
}

}  // namespace wince

// The lowest bit set keeps a reset at time 0 apart from "never".
void SystemIdleTimerReset(void) { wince::g_lastReset = wince::NowMs() | 1; }

void OutputDebugStringW(LPCWSTR text) {
  if (text) std::fputs(wince::ToUtf8(text).c_str(), stderr);
}
