// Threads, the per-thread error code, Sleep and the tick count.
#include <atomic>
#include <thread>

#include "kernel/handle.h"
#include "kernel/sched.h"

namespace wince {
namespace {

class ThreadObject : public KernelObject {
 public:
  bool Waitable() const override { return true; }
  bool TryAcquire() override { return finished; }
  // Guarded by the kernel lock.
  bool finished = false;
  DWORD exitCode = STILL_ACTIVE;
};

std::atomic<DWORD> g_nextThreadId{0x100};
thread_local DWORD t_threadId = 0;
thread_local DWORD t_lastError = 0;

DWORD NewThreadId() { return g_nextThreadId.fetch_add(4); }

}  // namespace
}  // namespace wince

using wince::ThreadObject;

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, DWORD, LPTHREAD_START_ROUTINE start, LPVOID parameter,
                    DWORD creationFlags, LPDWORD threadId) {
  if (!start || creationFlags != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto object = std::make_shared<ThreadObject>();
  DWORD id = wince::NewThreadId();
  wince::AddTrackedThread();
  try {
    std::thread([object, start, parameter, id] {
      wince::t_threadId = id;
      wince::BecomeTracked();
      DWORD code = start(parameter);
      {
        auto lock = wince::LockKernel();
        object->exitCode = code;
        object->finished = true;
        wince::WakeWaiters();
      }
      wince::EndTrackedThread();
    }).detach();
  } catch (const std::system_error&) {
    wince::ForgetTrackedThread();
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (threadId) *threadId = id;
  return wince::InsertHandle(object);
}

BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode) {
  auto object = wince::HandleObjectAs<ThreadObject>(thread);
  if (!object || !exitCode) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  auto lock = wince::LockKernel();
  *exitCode = object->exitCode;
  return TRUE;
}

DWORD GetCurrentThreadId(void) {
  if (!wince::t_threadId) wince::t_threadId = wince::NewThreadId();
  return wince::t_threadId;
}

DWORD GetLastError(void) { return wince::t_lastError; }

void SetLastError(DWORD error) { wince::t_lastError = error; }

void Sleep(DWORD milliseconds) {
  if (milliseconds == 0) {
    std::this_thread::yield();
    return;
  }
  uint64_t deadline = wince::DeadlineAfter(milliseconds);
  auto lock = wince::LockKernel();
  wince::WaitFor(lock, [] { return false; }, deadline);
}

DWORD GetTickCount(void) { return static_cast<DWORD>(wince::NowMs()); }
