// The display backend: where the window system's windows appear and where host input
// comes from. SDL2 shows real windows; the headless backend keeps them in memory only.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <windows.h>

#include "common/surface.h"

namespace wince {

// Input from the host (the SDL window, the test driver, another process): turned into
// window messages on the thread of the window it is for.
struct HostEvent {
  enum Kind {
    kStylusDown, kStylusMove, kStylusUp, kPointerDown, kPointerUp, kKey, kActivate, kClose, kRaise, kIconic, kWheel
  };
  Kind kind;
  HWND window = nullptr;
  int x = 0;  // screen coordinates
  int y = 0;
  UINT vk = 0;  // the key, or the pointer id of a further finger
  bool on = false;      // key down / activation / iconified
  bool repeat = false;  // key auto-repeat
  int wheel = 0;        // WHEEL_DELTA steps, positive away from the user
};

class Backend {
 public:
  virtual ~Backend() = default;
  // True when the windows will cover the host's display (asked with WINCE_FULLSCREEN=1,
  // or a host without windows of other sizes), with the display's size. Asked once, on
  // the thread that will create the windows, before the first exists.
  virtual bool FullScreenDisplay(SIZE* display) = 0;
  // Opens the host's window system on the thread that will create the windows; false, with
  // the host's reason, when there is none to open.
  virtual bool Open(std::string* reason) = 0;
  // The host display the windows appear on, "headless" for none: one copy of a program per
  // display.
  virtual std::string DisplayName() = 0;
  // The following run on the window's thread.
  virtual void WindowCreated(HWND window, const std::u16string& title, bool visible) = 0;
  virtual void WindowDestroyed(HWND window) = 0;
  virtual void WindowShown(HWND window, int command) = 0;
  // The screen changed size (display orientation).
  virtual void ScreenResized(HWND window) = 0;
  // Shows the window's surface, whose client area sits at rect on the screen.
  virtual void Present(HWND window, const Surface& surface, const RECT& rect) = 0;

  // The calling thread's message loop. Pump hands over the host input that arrived;
  // Wait blocks (kernel lock held on entry and exit) until ready(), a Wake or deadline.
  virtual void Pump(std::vector<HostEvent>* events) = 0;
  virtual void Wait(std::unique_lock<std::mutex>& lock, const std::function<bool()>& ready,
                    uint64_t deadline) = 0;
  // From any thread, after a message queue changed.
  virtual void Wake() = 0;
};

// Chosen on first use: headless when WINCE_HEADLESS=1 or when forced (test driver);
// otherwise SDL2, whose windows stay in memory if video cannot start (the process entry
// opens it first and ends when it cannot).
Backend& TheBackend();
void ForceHeadless();
std::unique_ptr<Backend> MakeHeadlessBackend();
std::unique_ptr<Backend> MakeSdlBackend();

}  // namespace wince
