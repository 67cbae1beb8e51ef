// The clock and the waiting of every thread of the layer. Time is kept in 64-bit
// milliseconds ("kernel time": real monotonic time, or the test driver's virtual time);
// GetTickCount is its low 32 bits. A tracked thread (made by CreateThread, or the test
// driver's program thread) that is blocked here with nothing ready counts as idle.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <windows.h>

namespace wince {

constexpr uint64_t kNoDeadline = UINT64_MAX;

uint64_t NowMs();
// Kernel time ms from now; INFINITE gives kNoDeadline.
uint64_t DeadlineAfter(DWORD ms);
bool VirtualTimeActive();

// With the kernel lock held: waits until ready() holds or the clock reaches deadline.
// ready() is checked with the lock held, at entry and after every WakeWaiters().
// Returns ready()'s last value.
bool WaitFor(std::unique_lock<std::mutex>& lock, const std::function<bool()>& ready, uint64_t deadline);

// Counts a thread that is about to start as tracked (before it runs, so the driver never
// sees a moment where it is missing); the thread calls BecomeTracked first thing.
void AddTrackedThread();
void BecomeTracked();
// The calling tracked thread ends.
void EndTrackedThread();
// A thread counted by AddTrackedThread that could not be started.
void ForgetTrackedThread();

// Test driver side.
void StartVirtualTime(uint64_t start);
void StopVirtualTime();
bool WaitAllIdle();
void AdvanceVirtualTime(DWORD ms);

}  // namespace wince
