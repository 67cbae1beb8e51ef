// Threads, events, waits, Sleep and the tick count, under the virtual clock (exact times)
// and, for timeouts, under real time.
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "wince/testdriver.h"

#include <windows.h>

namespace {

using wince::test::VirtualClock;

struct SleepRecord {
  DWORD ms;
  DWORD woke = 0;
};

DWORD WINAPI SleepThread(LPVOID parameter) {
  auto* record = static_cast<SleepRecord*>(parameter);
  Sleep(record->ms);
  record->woke = GetTickCount();
  return record->ms;
}

TEST(KernelTickCount, WrapsAfter32Bits) {
  VirtualClock clock(0xFFFFFF00);
  DWORD before = GetTickCount();
  EXPECT_EQ(before, 0xFFFFFF00u);
  clock.AdvanceTime(0x200);
  DWORD after = GetTickCount();
  EXPECT_EQ(after, 0x100u);
  EXPECT_EQ(after - before, 0x200u);  // unsigned differences stay right across the wrap
}

TEST(KernelSleep, EndsAtItsVirtualTime) {
  VirtualClock clock(5000);
  SleepRecord record{3000};
  HANDLE thread = CreateThread(nullptr, 0, SleepThread, &record, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  clock.AdvanceTime(2999);
  EXPECT_EQ(WaitForSingleObject(thread, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
  clock.AdvanceTime(1);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(record.woke, 8000u);
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 3000u);
  EXPECT_TRUE(CloseHandle(thread));
}

TEST(KernelSleep, SleepersWakeInOrderAtExactTimes) {
  VirtualClock clock(0);
  SleepRecord late{70}, early{30};
  HANDLE a = CreateThread(nullptr, 0, SleepThread, &late, 0, nullptr);
  HANDLE b = CreateThread(nullptr, 0, SleepThread, &early, 0, nullptr);
  clock.AdvanceTime(100);
  EXPECT_EQ(early.woke, 30u);
  EXPECT_EQ(late.woke, 70u);
  EXPECT_EQ(clock.Now(), 100u);
  CloseHandle(a);
  CloseHandle(b);
}

struct EventWait {
  HANDLE event;
  DWORD timeout;
  DWORD result = 0;
  DWORD at = 0;
};

DWORD WINAPI WaitThread(LPVOID parameter) {
  auto* wait = static_cast<EventWait*>(parameter);
  wait->result = WaitForSingleObject(wait->event, wait->timeout);
  wait->at = GetTickCount();
  return 0;
}

TEST(KernelEvent, WaitTimesOutAtItsVirtualTime) {
  VirtualClock clock(1000);
  HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  EventWait wait{event, 500};
  HANDLE thread = CreateThread(nullptr, 0, WaitThread, &wait, 0, nullptr);
  clock.AdvanceTime(1000);
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
  EXPECT_EQ(wait.result, static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_EQ(wait.at, 1500u);
  CloseHandle(thread);
  CloseHandle(event);
}

TEST(KernelEvent, SetEventReleasesABlockedThread) {
  VirtualClock clock;
  HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  EventWait wait{event, INFINITE};
  HANDLE thread = CreateThread(nullptr, 0, WaitThread, &wait, 0, nullptr);
  ASSERT_TRUE(clock.WaitIdle());
  EXPECT_EQ(WaitForSingleObject(thread, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_TRUE(SetEvent(event));
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(wait.result, WAIT_OBJECT_0);
  // The auto-reset event let one wait through and is reset again.
  EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  CloseHandle(thread);
  CloseHandle(event);
}

TEST(KernelEvent, ManualResetStaysSignalledUntilReset) {
  HANDLE event = CreateEventW(nullptr, TRUE, TRUE, nullptr);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  EXPECT_TRUE(ResetEvent(event));
  EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  CloseHandle(event);
}

TEST(KernelEvent, RealTimeoutWaitsAtLeastItsTime) {
  HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  DWORD start = GetTickCount();
  EXPECT_EQ(WaitForSingleObject(event, 30), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_GE(GetTickCount() - start, 30u);
  CloseHandle(event);
}

TEST(KernelHandle, BadHandlesFail) {
  HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  EXPECT_TRUE(CloseHandle(event));
  SetLastError(0);
  EXPECT_FALSE(CloseHandle(event));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_FAILED);
  EXPECT_FALSE(SetEvent(nullptr));
  EXPECT_EQ(CreateEventW(nullptr, FALSE, FALSE, TEXT("named")), nullptr);
}

DWORD WINAPI ErrorThread(LPVOID parameter) {
  SetLastError(1234);
  *static_cast<DWORD*>(parameter) = GetCurrentThreadId();
  return GetLastError();
}

TEST(KernelThread, LastErrorAndIdAreThePerThread) {
  SetLastError(77);
  DWORD childId = 0, reportedId = 0;
  HANDLE thread = CreateThread(nullptr, 0, ErrorThread, &childId, 0, &reportedId);
  ASSERT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeThread(thread, &code);
  EXPECT_EQ(code, 1234u);
  EXPECT_EQ(GetLastError(), 77u);
  EXPECT_EQ(childId, reportedId);
  EXPECT_NE(childId, GetCurrentThreadId());
  CloseHandle(thread);
}

TEST(KernelThread, HandleOutlivesTheThreadAndTheThreadOutlivesTheHandle) {
  VirtualClock clock;
  SleepRecord record{50};
  HANDLE thread = CreateThread(nullptr, 0, SleepThread, &record, 0, nullptr);
  EXPECT_TRUE(CloseHandle(thread));  // the thread keeps running without its handle
  clock.AdvanceTime(50);
  EXPECT_EQ(record.woke, 1050u);
}

}  // namespace
