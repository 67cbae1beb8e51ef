#include "user/state.h"

#include "kernel/handle.h"
#include "kernel/sched.h"
#include "user/display.h"

namespace wince {

UserState& User() {
  static UserState* state = new UserState;  // outlives detached threads at exit
  return *state;
}

std::shared_ptr<Window> FindLocalWindow(HWND handle) {
  auto& windows = User().windows;
  auto found = windows.find(handle);
  return found == windows.end() ? nullptr : found->second;
}

ThreadQueue& QueueOf(DWORD threadId) {
  auto& slot = User().queues[threadId];
  if (!slot) {
    slot = std::make_shared<ThreadQueue>();
    slot->threadId = threadId;
  }
  return *slot;
}

void WakeQueue(ThreadQueue& queue) {
  ++queue.generation;
  WakeWaiters();
  if (queue.threadId != GetCurrentThreadId()) TheBackend().Wake();
}

void PostHostEvent(const HostEvent& event) { PostHostEvents({event}); }

void PostHostEvents(const std::vector<HostEvent>& events) {
  auto lock = LockKernel();
  for (const HostEvent& event : events) {
    std::shared_ptr<Window> window = FindLocalWindow(event.window);
    if (!window) continue;
    ThreadQueue& queue = QueueOf(window->threadId);
    queue.arrived.push_back(event);
    WakeQueue(queue);
  }
}

void CloseAllWindows() {
  std::vector<HostEvent> closes;
  {
    auto lock = LockKernel();
    User().closeAsked = true;
    for (HWND handle : User().order) closes.push_back(HostEvent{HostEvent::kClose, handle});
  }
  PostHostEvents(closes);
}

SIZE ScreenSize() {
  const DisplayConfig& display = Display();
  bool sideways = User().orientation == DMDO_90 || User().orientation == DMDO_270;
  return sideways ? SIZE{display.height, display.width} : SIZE{display.width, display.height};
}

RECT WorkArea() {
  // The host shows no device taskbar, so nothing of the screen is kept from a window
  // that leaves full screen.
  SIZE screen = ScreenSize();
  return RECT{0, 0, screen.cx, screen.cy};
}

std::u16string LowerCase(const std::u16string& text) {
  std::u16string lower(text);
  for (WCHAR& c : lower) c = towlower(c);
  return lower;
}

LRESULT CallWindowProcOf(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC proc = nullptr;
  {
    auto lock = LockKernel();
    std::shared_ptr<Window> window = FindLocalWindow(handle);
    if (window) proc = window->windowClass->info.lpfnWndProc;
  }
  return proc ? proc(handle, message, wParam, lParam) : 0;
}

void Activate(HWND handle, WORD state) {
  HWND previous;
  bool previousMinimized = false;
  {
    auto lock = LockKernel();
    UserState& user = User();
    previous = user.foreground;
    if (previous == handle) return;
    user.foreground = handle;
    if (std::shared_ptr<Window> window = FindLocalWindow(previous)) previousMinimized = window->minimized;
  }
  if (previous && IsWindow(previous))
    SendMessageW(previous, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, previousMinimized),
                 reinterpret_cast<LPARAM>(handle));
  if (handle) SendMessageW(handle, WM_ACTIVATE, MAKEWPARAM(state, 0), reinterpret_cast<LPARAM>(previous));
}

void PresentWindow(HWND handle) {
  std::shared_ptr<Window> window;
  RECT rect;
  {
    auto lock = LockKernel();
    window = FindLocalWindow(handle);
    if (!window) return;
    rect = window->rect;
  }
  // The surface is the window thread's; another thread's drawing shows at the next paint.
  if (window->threadId == GetCurrentThreadId()) TheBackend().Present(handle, window->surface, rect);
}

}  // namespace wince
