#include "kernel/sched.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <vector>

#include "kernel/handle.h"

namespace wince {
namespace {

using SteadyClock = std::chrono::steady_clock;

// A blocked wait; lives on the waiting thread's stack while registered.
struct Waiter {
  std::condition_variable wake;
  bool blocked = false;
  bool tracked = false;
  uint64_t deadline = kNoDeadline;
};

// Guarded by the kernel lock; the clock is also read without it.
struct Scheduler {
  std::atomic<bool> virtualTime{false};
  std::atomic<uint64_t> virtualNow{0};
  std::vector<Waiter*> waiters;
  int trackedThreads = 0;
  int blockedTracked = 0;
  std::condition_variable idle;
};

Scheduler& Sched() {
  static Scheduler* scheduler = new Scheduler;  // outlives detached threads at exit
  return *scheduler;
}

thread_local bool t_tracked = false;

uint64_t RealNowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now().time_since_epoch())
      .count();
}

void Unblock(Waiter* waiter) {
  Scheduler& s = Sched();
  if (!waiter->blocked) return;
  waiter->blocked = false;
  if (waiter->tracked) --s.blockedTracked;
}

bool AllIdle() {
  Scheduler& s = Sched();
  return s.blockedTracked == s.trackedThreads;
}

// With the kernel lock held. A generous wall-clock limit turns a hung program into a failed
// test, not a hung one.
bool WaitIdleLocked(std::unique_lock<std::mutex>& lock) {
  return Sched().idle.wait_for(lock, std::chrono::seconds(30), AllIdle);
}

}  // namespace

uint64_t NowMs() {
  Scheduler& s = Sched();
  return s.virtualTime ? s.virtualNow.load() : RealNowMs();
}

bool VirtualTimeActive() { return Sched().virtualTime; }

uint64_t DeadlineAfter(DWORD ms) {
  if (ms == INFINITE) return kNoDeadline;
  return NowMs() + ms;
}

bool WaitFor(std::unique_lock<std::mutex>& lock, const std::function<bool()>& ready, uint64_t deadline) {
  Scheduler& s = Sched();
  Waiter self;
  self.tracked = t_tracked;
  self.deadline = deadline;
  s.waiters.push_back(&self);
  bool done;
  for (;;) {
    if ((done = ready())) break;
    if (NowMs() >= deadline) break;
    self.blocked = true;
    if (self.tracked && ++s.blockedTracked == s.trackedThreads) s.idle.notify_all();
    if (s.virtualTime || deadline == kNoDeadline) {
      self.wake.wait(lock, [&] { return !self.blocked; });
    } else {
      auto when = SteadyClock::time_point(std::chrono::milliseconds(deadline));
      self.wake.wait_until(lock, when, [&] { return !self.blocked; });
      Unblock(&self);
    }
  }
  s.waiters.erase(std::find(s.waiters.begin(), s.waiters.end(), &self));
  return done;
}

void WakeWaiters() {
  for (Waiter* waiter : Sched().waiters) {
    if (!waiter->blocked) continue;
    Unblock(waiter);
    waiter->wake.notify_one();
  }
}

void AddTrackedThread() {
  auto lock = LockKernel();
  ++Sched().trackedThreads;
}

void BecomeTracked() { t_tracked = true; }

void ForgetTrackedThread() {
  auto lock = LockKernel();
  Scheduler& s = Sched();
  --s.trackedThreads;
  if (AllIdle()) s.idle.notify_all();
}

void EndTrackedThread() {
  t_tracked = false;
  ForgetTrackedThread();
}

void StartVirtualTime(uint64_t start) {
  auto lock = LockKernel();
  Scheduler& s = Sched();
  s.virtualNow = start;
  s.virtualTime = true;
  WakeWaiters();
}

void StopVirtualTime() {
  auto lock = LockKernel();
  Sched().virtualTime = false;
  WakeWaiters();
}

bool WaitAllIdle() {
  auto lock = LockKernel();
  return WaitIdleLocked(lock);
}

void AdvanceVirtualTime(DWORD ms) {
  Scheduler& s = Sched();
  auto lock = LockKernel();
  uint64_t target = s.virtualNow + ms;
  for (;;) {
    // Idle and the clock's next stop are judged in one hold of the lock, so a thread woken
    // by an untracked one in between never sees the clock jump while it runs.
    WaitIdleLocked(lock);
    uint64_t next = kNoDeadline;
    for (const Waiter* waiter : s.waiters)
      if (waiter->deadline > s.virtualNow) next = std::min(next, waiter->deadline);
    bool last = next > target;
    s.virtualNow = last ? target : next;
    WakeWaiters();
    if (last) break;
  }
  WaitIdleLocked(lock);
}

}  // namespace wince
