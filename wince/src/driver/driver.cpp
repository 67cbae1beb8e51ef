#include "wince/testdriver.h"

#include <unistd.h>

#include <cstdlib>
#include <string>
#include <thread>

#include "backend/backend.h"
#include "driver/frame.h"
#include "kernel/handle.h"
#include "kernel/module.h"
#include "kernel/sched.h"
#include "user/display.h"
#include "user/state.h"

namespace wince::test {
namespace {

// Tests run in parallel: a program under test must not find another test's window and
// take it for a running instance of itself.
void IsolateInstances() {
  if (!std::getenv("WINCE_INSTANCE_SCOPE"))
    setenv("WINCE_INSTANCE_SCOPE", ("test-" + std::to_string(getpid())).c_str(), 0);
}

// The program's process has ended: its window classes go with it, so a program started
// after it in the same test registers them again.
void ForgetClasses() {
  auto lock = LockKernel();
  UserState& user = User();
  for (auto it = user.classes.begin(); it != user.classes.end();) {
    bool used = false;
    for (const auto& [handle, window] : user.windows) used = used || window->windowClass == it->second;
    it = used ? std::next(it) : user.classes.erase(it);
  }
}

}  // namespace

VirtualClock::VirtualClock(DWORD startTick) {
  ForceHeadless();
  IsolateInstances();
  StartVirtualTime(startTick);
}

VirtualClock::~VirtualClock() { StopVirtualTime(); }

bool VirtualClock::WaitIdle() { return WaitAllIdle(); }

void VirtualClock::AdvanceTime(DWORD ms) { AdvanceVirtualTime(ms); }

DWORD VirtualClock::Now() const { return GetTickCount(); }

struct Driver::Program {
  std::thread thread;
  bool exited = false;  // guarded by the kernel lock
  int exitCode = 0;
};

Driver::Driver(const Options& options) {
  ForceHeadless();
  IsolateInstances();
  SetDisplay(DisplayConfig{options.width, options.height, options.dpi});
  if (options.virtualClock) clock_ = new VirtualClock(options.startTick);
}

Driver::~Driver() {
  if (program_) {
    if (!Exited()) {
      Close();
      WaitIdle();
    }
    // A program that ignores WM_CLOSE is left blocked; the test process ends it.
    if (program_->thread.joinable()) {
      if (Exited()) program_->thread.join();
      else program_->thread.detach();
    }
    if (Exited()) ForgetClasses();
    delete program_;
  }
  delete clock_;
}

void Driver::Start(int(WINAPI* winMain)(HINSTANCE, HINSTANCE, LPWSTR, int)) {
  program_ = new Program;
  Program* program = program_;
  AddTrackedThread();
  program->thread = std::thread([program, winMain] {
    BecomeTracked();
    std::u16string commandLine;
    int code = winMain(ExecutableInstance(), nullptr, commandLine.data(), SW_SHOW);
    {
      auto lock = LockKernel();
      program->exitCode = code;
      program->exited = true;
    }
    EndTrackedThread();
  });
  WaitIdle();
}

bool Driver::WaitIdle() { return WaitAllIdle(); }

void Driver::AdvanceTime(DWORD ms) {
  if (clock_) clock_->AdvanceTime(ms);
  else WaitIdle();
}

DWORD Driver::Now() const { return GetTickCount(); }

namespace {

void Send(HostEvent::Kind kind, HWND window, int x = 0, int y = 0, UINT vk = 0, bool on = false) {
  HostEvent event{kind, window, x, y, vk, on};
  PostHostEvent(event);
}

}  // namespace

void Driver::StylusDown(int x, int y) {
  Send(HostEvent::kStylusDown, Window(), x, y);
  WaitIdle();
}

void Driver::StylusMove(int x, int y) {
  Send(HostEvent::kStylusMove, Window(), x, y);
  WaitIdle();
}

void Driver::StylusUp(int x, int y) {
  Send(HostEvent::kStylusUp, Window(), x, y);
  WaitIdle();
}

void Driver::Tap(int x, int y) {
  StylusDown(x, y);
  StylusUp(x, y);
}

void Driver::DoubleTap(int x, int y) {
  HWND window = Window();
  HostEvent down{HostEvent::kStylusDown, window, x, y};
  HostEvent up{HostEvent::kStylusUp, window, x, y};
  PostHostEvents({down, up, down, up});
  WaitIdle();
}

void Driver::FingerDown(UINT pointerId, int x, int y) {
  Send(HostEvent::kPointerDown, Window(), x, y, pointerId);
  WaitIdle();
}

void Driver::FingerUp(UINT pointerId, int x, int y) {
  Send(HostEvent::kPointerUp, Window(), x, y, pointerId);
  WaitIdle();
}

void Driver::Wheel(int x, int y, int delta) {
  HostEvent event{HostEvent::kWheel, Window(), x, y};
  event.wheel = delta;
  PostHostEvent(event);
  WaitIdle();
}

void Driver::Activate(bool active) {
  Send(HostEvent::kActivate, Window(), 0, 0, 0, active);
  WaitIdle();
}

void Driver::HostIconify(bool iconic) {
  Send(HostEvent::kIconic, Window(), 0, 0, 0, iconic);
  WaitIdle();
}

void Driver::Key(UINT vk, bool down) {
  Send(HostEvent::kKey, Window(), 0, 0, vk, down);
  WaitIdle();
}

void Driver::Close() {
  Send(HostEvent::kClose, Window());
  WaitIdle();
}

int Driver::WaitForExit() {
  WaitIdle();
  if (!Exited()) return -1;
  if (program_->thread.joinable()) program_->thread.join();
  auto lock = LockKernel();
  return program_->exitCode;
}

bool Driver::Exited() const {
  auto lock = LockKernel();
  return program_ && program_->exited;
}

HWND Driver::Window() const {
  auto lock = LockKernel();
  return User().firstTopLevel;
}

COLORREF Driver::Pixel(int x, int y) const {
  auto lock = LockKernel();
  std::shared_ptr<wince::Window> window = FindLocalWindow(User().firstTopLevel);
  if (!window) return CLR_INVALID;
  const Surface& surface = window->surface;
  if (x < 0 || y < 0 || x >= surface.width || y >= surface.height) return CLR_INVALID;
  uint32_t pixel = surface.pixels[static_cast<size_t>(y) * surface.stride + x];
  return RGB(pixel >> 16, pixel >> 8, pixel);
}

Frame Driver::Snapshot() const {
  auto lock = LockKernel();
  std::shared_ptr<wince::Window> window = FindLocalWindow(User().firstTopLevel);
  return window ? CopySurface(window->surface) : Frame();
}

bool Driver::SavePng(const std::string& path) const { return test::SavePng(Snapshot(), path); }

DWORD Driver::FullScreenState() const {
  auto lock = LockKernel();
  std::shared_ptr<wince::Window> window = FindLocalWindow(User().firstTopLevel);
  return window ? window->fullScreenState : 0;
}

}  // namespace wince::test
