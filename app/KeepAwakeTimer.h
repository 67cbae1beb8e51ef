// Keeps the device awake while motion playback is on: a window timer that resets the
// system idle timer a little before the shortest power-off timeout can expire.
#pragma once

#include <windows.h>

class KeepAwakeTimer {
 public:
  KeepAwakeTimer(HWND window, UINT timerId, TIMERPROC timerProc);

  // Arms the timer unless it runs already; the power settings are read anew.
  void Start();
  // Disarms the timer when it runs.
  void Stop();
  // One tick: resets the system idle timer while running.
  void OnTimer();

  HWND Window;
  UINT TimerId;
  UINT IntervalMs;
  TIMERPROC TimerProc;
  BOOL Running;
};

// Id of the keep-awake timer on the main window.
enum { KEEP_AWAKE_TIMER_ID = 6 };

// 90 % of the shortest positive power-off timeout of the system (battery, external
// power, screen), in milliseconds: from 900 ms to 900 s.
UINT GetPowerOffTimeoutMs();

// Timer procedure: the tick of AppGlobals::KeepAwake when it exists.
void CALLBACK OnKeepAwakeTimer(HWND window, UINT message, UINT_PTR timerId, DWORD time);
