// Pages and transitions: which panel is shown, the frame composed on every paint, and
// the animated transition between the old and the new screen.
#pragma once

#include <windows.h>

// The clock of a page transition: the fraction done, linear in time since the start.
class TransitionAnimator {
 public:
  void SetKind(int kind) { Kind = kind; }
  // A negative length stores the default of 400 ms.
  void SetDuration(int ms) { DurationMs = ms < 0 ? 400 : ms; }
  bool IsRunning() const { return Running != 0; }
  int GetKind() const { return Kind; }
  double GetProgress() const { return Progress; }
  // Restarts the clock and (re)arms the timer; nothing without a kind or a length.
  void Start(HWND window, UINT_PTR timerId, UINT intervalMs, TIMERPROC timerProc);
  // Advances Progress by the time elapsed; the tick after Progress reached 1.0 stops.
  void Step(HWND window, UINT_PTR timerId);

  int Kind = 0;
  BOOL Running = 0;
  DWORD StartTick = 0;
  double Progress = 0.0;
  int DurationMs = 400;
};

enum { TRANSITION_TIMER_ID = 5, TRANSITION_TIMER_MS = 11, PAGE_TRANSITION_MS = 300 };

// Transition kinds: pushes, covers, uncovers and fades.
enum TransitionKind {
  PUSH_LEFT = 1,
  PUSH_RIGHT = 2,
  PUSH_UP = 3,
  PUSH_DOWN = 4,
  COVER_FROM_RIGHT = 5,
  UNCOVER_TO_LEFT = 6,
  COVER_FROM_LEFT = 7,
  UNCOVER_TO_RIGHT = 8,
  COVER_FROM_BOTTOM = 9,
  UNCOVER_UPWARD = 10,
  COVER_FROM_TOP = 11,
  UNCOVER_DOWNWARD = 12,
  FADE_IN_NEW = 13,
  FADE_OUT_OLD = 14,
};

// Motion playback off: shake timers and detectors stopped, the motion toggle unchecked
// and reading "OFF", the keep-awake timer stopped. Every panel switch starts with it.
void SwitchMotionOff();

// ID_SCREEN becomes visible.
void ShowScreenPanel(int id, bool repaint);
// One of ID_PAGES, ID_ABOUT_PAGE, ID_PICKER_PAGE visible, the other two hidden.
void ShowTopPanel(int id, bool repaint);
// One of the Home, Sounds and Settings pages visible, its tab checked and locked.
// fromTab: the tab checked itself when it was tapped.
void ShowTabPage(int id, bool fromTab, bool repaint);

// Snapshots the frame on screen and renders the (already switched) new screen, then
// animates between them. 0 when the caller must repaint at once instead.
int StartTransition(int kind, int durationMs);
// The current transition frame into FrameBuffer; 0 when none is running.
int PaintTransition(const RECT& rect);

// WM_PAINT: composes the whole frame (splash, transition or widget tree) and copies it.
LRESULT OnPaint(HWND window);
void CALLBACK OnTransitionTimer(HWND window, UINT message, UINT_PTR timerId, DWORD time);
