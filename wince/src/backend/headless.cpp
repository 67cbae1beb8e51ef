// Windows in memory only: nothing is shown, host input comes only from the test driver.
#include <cstdlib>
#include <cstring>
#include <memory>

#include "backend/backend.h"
#include "kernel/sched.h"

namespace wince {
namespace {

class HeadlessBackend : public Backend {
 public:
  bool FullScreenDisplay(SIZE*) override { return false; }
  void WindowCreated(HWND, const std::u16string&, bool) override {}
  void WindowDestroyed(HWND) override {}
  void WindowShown(HWND, int) override {}
  void ScreenResized(HWND) override {}
  void Present(HWND, const Surface&, const RECT&) override {}
  void Pump(std::vector<HostEvent>*) override {}
  void Wait(std::unique_lock<std::mutex>& lock, const std::function<bool()>& ready,
            uint64_t deadline) override {
    WaitFor(lock, ready, deadline);
  }
  void Wake() override {}
};

bool g_forceHeadless = false;

// WINCE_HEADLESS=1 forces headless, =0 asks for SDL whatever the display variables say
// (SDL's own choice of video driver then applies).
bool WantHeadless() {
  const char* headless = std::getenv("WINCE_HEADLESS");
  if (headless && std::strcmp(headless, "1") == 0) return true;
  if (headless && std::strcmp(headless, "0") == 0) return false;
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return !(x11 && *x11) && !(wayland && *wayland);
}

}  // namespace

std::unique_ptr<Backend> MakeHeadlessBackend() { return std::make_unique<HeadlessBackend>(); }

void ForceHeadless() { g_forceHeadless = true; }

Backend& TheBackend() {
  static Backend* backend =
      (g_forceHeadless || WantHeadless() ? MakeHeadlessBackend() : MakeSdlBackend()).release();
  return *backend;
}

}  // namespace wince
