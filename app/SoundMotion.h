// Motion playback: the three shake detectors ticked by timers of the main window while
// the Home page's motion toggle is on.
#pragma once

#include <windows.h>

#include "motion/ShakeDetector.h"

// Timer ids of the three detectors on the main window; each runs every SHAKE_TIMER_MS.
enum { SHAKE_TIMER_X = 1, SHAKE_TIMER_Y = 2, SHAKE_TIMER_Z = 3 };

// Starts (each detector, then its timer) and stops (each timer, then its detector) the
// detectors that exist, in the order X, Y, Z.
void StartSoundMotion();
void StopSoundMotion();

// Timer procedures: one tick of the detector when it exists.
void CALLBACK OnShakeTimerX(HWND window, UINT message, UINT_PTR timerId, DWORD time);
void CALLBACK OnShakeTimerY(HWND window, UINT message, UINT_PTR timerId, DWORD time);
void CALLBACK OnShakeTimerZ(HWND window, UINT message, UINT_PTR timerId, DWORD time);
