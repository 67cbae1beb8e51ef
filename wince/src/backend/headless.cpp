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
  bool Open(std::string*) override { return true; }
  std::string DisplayName() override { return "headless"; }
  void Pump(std::vector<HostEvent>*) override {}
  void Wait(std::unique_lock<std::mutex>& lock, const std::function<bool()>& ready,
            uint64_t deadline) override {
    WaitFor(lock, ready, deadline);
  }
  void Wake() override {}
};

bool g_forceHeadless = false;

bool WantHeadless() {
  const char* headless = std::getenv("WINCE_HEADLESS");
  return headless && std::strcmp(headless, "1") == 0;
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
