// The splash screen shown while the loading thread builds the program: the splash
// picture, the message of the step under way and a progress bar.
//
// The loading thread writes the message and the percentage while the main thread paints,
// so both are atomics: each character of the message is its own relaxed atomic. A paint
// that overlaps SetText may draw a mix of the old and new message, but every SetText is
// followed by a repaint request, so the next paint shows the new message whole.
#pragma once

#include <atomic>
#include <windows.h>

class SplashScreen {
 public:
  // Copies at most MAX_PATH - 1 characters; null stores the empty text.
  void SetText(const WCHAR* text);
  // Percentages above 100 (compared unsigned) store 100.
  void SetProgress(UINT percent);
  // The current message, into a buffer of MAX_PATH characters.
  void GetText(WCHAR* buffer) const;
  UINT GetProgress() const { return Progress.load(std::memory_order_relaxed); }

  // Background, picture, message and bar into rect of target.
  void Draw(HDC target, const RECT& rect) const;
  // Draws into a temporary surface of rect's size and blends it onto target at (0, 0)
  // with the constant alpha.
  void Paint(HDC target, const RECT& rect, int alpha) const;

  HBITMAP Picture = nullptr;
  COLORREF BackColor = 0x000000;
  std::atomic<WCHAR> StatusText[MAX_PATH] = {};
  HFONT TextFont = nullptr;
  COLORREF TextColor = 0xFFFFFF;
  std::atomic<UINT> Progress{0};
  COLORREF BarFrameColor = 0x808080;
  COLORREF BarTrackColor = 0x333333;
  COLORREF BarTopColor = 0x11D4FE;
  COLORREF BarBottomColor = 0x005C70;
  BYTE ShowStatus = 1;
};

// The splash screen is always painted opaque.
constexpr int SPLASH_ALPHA = 255;
