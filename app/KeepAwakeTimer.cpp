// The globals first: their standard headers must come before the Windows headers.
#include "app/AppGlobals.h"
#include "app/KeepAwakeTimer.h"

#include <regext.h>

// The system's power-off timeouts, in seconds; 0 or missing means none.
#define POWER_REG_KEY TEXT("\\System\\CurrentControlSet\\Control\\Power")

// Never longer than 1000 s, so the interval is at most 15 minutes.
static const DWORD LongestTimeoutSeconds = 1000;

KeepAwakeTimer::KeepAwakeTimer(HWND window, UINT timerId, TIMERPROC timerProc)
    : Window(window), TimerId(timerId), IntervalMs(0), TimerProc(timerProc), Running(0) {}

// Takes the value when it can be read, is positive and not longer than candidate.
static DWORD ShorterTimeout(LPCWSTR valueName, DWORD candidate) {
  DWORD value = 0;
  if (RegistryGetDWORD(HKEY_LOCAL_MACHINE, POWER_REG_KEY, valueName, &value) != S_OK) return candidate;
  return value > 0 && value <= candidate ? value : candidate;
}

UINT GetPowerOffTimeoutMs() {
  DWORD seconds = ShorterTimeout(TEXT("BattPowerOff"), LongestTimeoutSeconds);
  seconds = ShorterTimeout(TEXT("ExtPowerOff"), seconds);
  seconds = ShorterTimeout(TEXT("ScreenPowerOff"), seconds);
  // 90 % of the timeout, in milliseconds: the reset comes a little before it expires.
  return seconds * 900;
}

void KeepAwakeTimer::Start() {
  if (Running) return;
  IntervalMs = GetPowerOffTimeoutMs();
  // Running only when the timer was really set, so that a failed start can be retried.
  Running = SetTimer(Window, TimerId, IntervalMs, TimerProc) != 0;
}

void KeepAwakeTimer::Stop() {
  if (!Running) return;
  KillTimer(Window, TimerId);
  Running = 0;
}

void KeepAwakeTimer::OnTimer() {
  if (Running) SystemIdleTimerReset();
}

void CALLBACK OnKeepAwakeTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (KeepAwakeTimer* keepAwake = AppGlobals::KeepAwake.load(std::memory_order_acquire)) keepAwake->OnTimer();
}
