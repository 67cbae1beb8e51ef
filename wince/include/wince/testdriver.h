// The test driver of the layer: runs the application's WinMain on the headless backend
// under a clock the test controls, injects stylus, key and activation events, waits until
// the program is idle and reads the window's pixels. Used only by tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>
#include <windows.h>

namespace wince::test {

struct Options {
  int width = 480;
  int height = 640;
  int dpi = 192;
  // Virtual time: GetTickCount, Sleep, wait timeouts and timers follow AdvanceTime only.
  bool virtualClock = true;
  // GetTickCount at the start (virtual time only); near 0xFFFFFFFF to test the wrap.
  DWORD startTick = 1000;
};

// A copy of a window surface: pixels 0x00RRGGBB, rows top-down.
struct Frame {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// A copy of a bitmap's pixels (empty when the handle is not a bitmap).
WINCEAPI Frame CaptureBitmap(HBITMAP bitmap);
// Writes a frame as an RGB PNG; false on failure. Tests and tools use it for screenshots.
WINCEAPI bool SavePng(const Frame& frame, const std::string& path);

// Virtual time and idle tracking without WinMain, for tests that create windows on their
// own thread. The constructing thread is the driver: it must not block in Sleep or timed
// waits itself (it advances the clock instead). One at a time per process.
class WINCEAPI VirtualClock {
 public:
  explicit VirtualClock(DWORD startTick = 1000);
  ~VirtualClock();
  VirtualClock(const VirtualClock&) = delete;
  VirtualClock& operator=(const VirtualClock&) = delete;

  // Returns when every tracked thread (made by CreateThread, or the driver's WinMain thread)
  // is blocked in a wait of the layer with nothing ready for it; false if that did not
  // happen within a generous wall-clock limit (a hung program).
  bool WaitIdle();
  // Moves the clock forward by ms, stopping at every due timer or wait timeout in order
  // and waiting for idle at each stop, so events happen at their exact virtual time.
  void AdvanceTime(DWORD ms);
  // GetTickCount of the virtual clock.
  DWORD Now() const;
};

class WINCEAPI Driver {
 public:
  explicit Driver(const Options& options = Options());
  // Closes the program if it still runs and waits for it to end.
  ~Driver();
  Driver(const Driver&) = delete;
  Driver& operator=(const Driver&) = delete;

  // Runs WinMain on a new thread (the GUI thread) with the executable's instance and SW_SHOW.
  void Start(int(WINAPI* winMain)(HINSTANCE, HINSTANCE, LPWSTR, int));

  bool WaitIdle();
  // Virtual time: see VirtualClock::AdvanceTime. Real time: waits idle only.
  void AdvanceTime(DWORD ms);
  DWORD Now() const;

  // Host input to the program's window (posted to its thread as the display backend
  // would); each waits for idle afterwards.
  void StylusDown(int x, int y);
  void StylusMove(int x, int y);
  void StylusUp(int x, int y);
  void Tap(int x, int y);
  // Two taps at one point with no time between them, all four events queued at once as
  // a fast finger gives them to the host.
  void DoubleTap(int x, int y);
  // A further finger, while the stylus (the first finger) is down or not: pointer id 2
  // and up, as the display backend numbers them.
  void FingerDown(UINT pointerId, int x, int y);
  void FingerUp(UINT pointerId, int x, int y);
  // The mouse wheel turned by delta (WHEEL_DELTA a notch, positive away from the user)
  // with the pointer at (x, y).
  void Wheel(int x, int y, int delta);
  void Activate(bool active);
  // The host's window manager iconified the window (true) or showed it again (false).
  void HostIconify(bool iconic);
  void Key(UINT vk, bool down);
  // The host window's close button: WM_CLOSE.
  void Close();

  // WinMain's exit code once it has returned.
  int WaitForExit();
  bool Exited() const;

  // The program's first top-level window, or null.
  HWND Window() const;
  // The window surface's pixel as a COLORREF (as GetPixel reports it); CLR_INVALID outside.
  COLORREF Pixel(int x, int y) const;
  Frame Snapshot() const;
  // Writes the window surface as an RGB PNG; false on failure.
  bool SavePng(const std::string& path) const;
  // The last SHFullScreen flags given for the program's window (0 if none).
  DWORD FullScreenState() const;

 private:
  VirtualClock* clock_ = nullptr;
  struct Program;
  Program* program_ = nullptr;
};

}  // namespace wince::test
