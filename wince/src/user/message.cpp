// Message queues, the message loop and timers.
#include <algorithm>
#include <atomic>

#include "kernel/handle.h"
#include "kernel/sched.h"
#include "user/state.h"
#include "wince/host.h"

namespace wince {
namespace {

// Below this interval Windows raises a timer's elapse (USER_TIMER_MINIMUM).
constexpr UINT kMinimumElapse = 10;
constexpr UINT kMaximumElapse = 0x7FFFFFFF;

std::atomic<WinceKeyHook> g_keyHook{nullptr};

ThreadQueue& OwnQueue() { return QueueOf(GetCurrentThreadId()); }

bool Matches(HWND hwnd, UINT message, HWND filter, UINT filterMin, UINT filterMax) {
  if (filter && hwnd != filter) return false;
  if (filterMin == 0 && filterMax == 0) return true;
  return message >= filterMin && message <= filterMax;
}

MSG MakeMsg(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG msg = {hwnd, message, wParam, lParam, GetTickCount(), {0, 0}};
  return msg;
}

// The first message of a queue that the filter lets through.
bool TakeFirst(std::deque<MSG>& messages, MSG* msg, HWND filter, UINT filterMin, UINT filterMax, bool remove) {
  for (auto it = messages.begin(); it != messages.end(); ++it) {
    if (!Matches(it->hwnd, it->message, filter, filterMin, filterMax)) continue;
    *msg = *it;
    if (remove) messages.erase(it);
    return true;
  }
  return false;
}

// With the kernel lock held: the next message for the calling thread in Windows' order:
// posted messages, the quit request once they are done, input, paint, then timers (sent
// messages have run before).
bool NextMessage(ThreadQueue& queue, MSG* msg, HWND filter, UINT filterMin, UINT filterMax, bool remove) {
  if (TakeFirst(queue.posted, msg, filter, filterMin, filterMax, remove)) return true;
  if (queue.quit && Matches(nullptr, WM_QUIT, filter, filterMin, filterMax)) {
    *msg = MakeMsg(nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0);
    if (remove) queue.quit = false;
    return true;
  }
  if (TakeFirst(queue.input, msg, filter, filterMin, filterMax, remove)) return true;
  UserState& user = User();
  for (HWND handle : user.order) {
    const Window& window = *user.windows[handle];
    if (window.threadId != queue.threadId || !window.updatePending || !window.visible || window.minimized)
      continue;
    if (!Matches(handle, WM_PAINT, filter, filterMin, filterMax)) continue;
    *msg = MakeMsg(handle, WM_PAINT, 0, 0);
    return true;
  }
  uint64_t now = NowMs();
  Timer* due = nullptr;
  for (Timer& timer : queue.timers)
    if (timer.due <= now && Matches(timer.window, WM_TIMER, filter, filterMin, filterMax) &&
        (!due || timer.due < due->due))
      due = &timer;
  if (!due) return false;
  *msg = MakeMsg(due->window, WM_TIMER, due->id, reinterpret_cast<LPARAM>(due->proc));
  if (remove) {
    // One WM_TIMER however late the loop is; the period continues from the expiry.
    due->due += due->elapse;
    if (due->due <= now) due->due = now + due->elapse;
  }
  return true;
}

// A timer the filter excludes sets no deadline: being due already, it would end every wait
// at once and the loop would spin.
uint64_t NextTimerDue(const ThreadQueue& queue, HWND filter, UINT filterMin, UINT filterMax) {
  uint64_t next = kNoDeadline;
  for (const Timer& timer : queue.timers)
    if (Matches(timer.window, WM_TIMER, filter, filterMin, filterMax)) next = std::min(next, timer.due);
  return next;
}

void PostLocked(ThreadQueue& queue, const MSG& msg) {
  queue.posted.push_back(msg);
  WakeQueue(queue);
}

// Messages sent from other threads run on this one, before anything is retrieved.
void RunSentMessages() {
  for (;;) {
    SentMessage* sent;
    {
      auto lock = LockKernel();
      ThreadQueue& queue = OwnQueue();
      if (queue.sent.empty()) return;
      sent = queue.sent.front();
      queue.sent.pop_front();
    }
    LRESULT result = CallWindowProcOf(sent->msg.hwnd, sent->msg.message, sent->msg.wParam, sent->msg.lParam);
    auto lock = LockKernel();
    sent->result = result;
    sent->done = true;
    WakeWaiters();
  }
}

// Queues a stylus, pointer, wheel or key message; a stylus message's lParam is its point
// in the window, a pointer or wheel message's its point on the screen.
// A move that follows a move still waiting replaces it, as on Windows: the program learns
// where the stylus is now, not every point on the way.
void QueueInput(const HostEvent& event, UINT message, WPARAM wParam, LPARAM lParam) {
  auto lock = LockKernel();
  std::shared_ptr<Window> window = FindLocalWindow(event.window);
  if (!window) return;
  bool stylus = event.kind == HostEvent::kStylusDown || event.kind == HostEvent::kStylusMove ||
                event.kind == HostEvent::kStylusUp;
  if (stylus) lParam = MAKELPARAM(event.x - window->rect.left, event.y - window->rect.top);
  MSG msg = MakeMsg(event.window, message, wParam, lParam);
  msg.pt = POINT{event.x, event.y};
  ThreadQueue& queue = QueueOf(window->threadId);
  MSG* last = queue.input.empty() ? nullptr : &queue.input.back();
  if (message == WM_MOUSEMOVE && last && last->message == WM_MOUSEMOVE && last->hwnd == msg.hwnd &&
      last->wParam == wParam)
    *last = msg;
  else
    queue.input.push_back(msg);
  WakeQueue(queue);
}

// The wheel turns for the focus window (the active one); lParam is the pointer in screen
// coordinates.
void QueueWheel(HostEvent event) {
  event.window = GetForegroundWindow();
  WORD delta = WORD(SHORT(std::clamp(event.wheel, -32768, 32767)));
  QueueInput(event, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(event.x, event.y));
}

void HandleHostEvent(const HostEvent& event) {
  switch (event.kind) {
    case HostEvent::kStylusDown:
      // A tap on a window that is not the active one activates it first, as on Windows: a
      // window the host could not minimise comes back with its first tap.
      if (GetForegroundWindow() != event.window) SetForegroundWindow(event.window);
      QueueInput(event, WM_LBUTTONDOWN, MK_LBUTTON, 0);
      break;
    case HostEvent::kStylusMove: QueueInput(event, WM_MOUSEMOVE, MK_LBUTTON, 0); break;
    case HostEvent::kStylusUp: QueueInput(event, WM_LBUTTONUP, 0, 0); break;
    case HostEvent::kPointerDown:
      QueueInput(event, WM_POINTERDOWN,
                 MAKEWPARAM(event.vk, POINTER_MESSAGE_FLAG_NEW | POINTER_MESSAGE_FLAG_INRANGE |
                                          POINTER_MESSAGE_FLAG_INCONTACT),
                 MAKELPARAM(event.x, event.y));
      break;
    case HostEvent::kPointerUp:
      QueueInput(event, WM_POINTERUP, MAKEWPARAM(event.vk, 0), MAKELPARAM(event.x, event.y));
      break;
    case HostEvent::kKey: {
      // lParam: repeat count 1, bit 30 the previous key state, bit 31 set on release.
      LPARAM flags = 1 | (event.on && !event.repeat ? 0 : 1 << 30) | (event.on ? 0 : 1u << 31);
      QueueInput(event, event.on ? WM_KEYDOWN : WM_KEYUP, event.vk, flags);
      WinceKeyHook hook = g_keyHook;
      if (hook && !event.repeat) hook(event.vk, event.on, GetTickCount());
      break;
    }
    case HostEvent::kActivate:
      if (event.on) {
        // Brought back by the host (its window manager, the test driver): restored if minimised.
        if (GetForegroundWindow() != event.window) SetForegroundWindow(event.window);
      } else if (GetForegroundWindow() == event.window) {
        Activate(nullptr, WA_INACTIVE);
      }
      break;
    case HostEvent::kClose: PostMessageW(event.window, WM_CLOSE, 0, 0); break;
    case HostEvent::kRaise: SetForegroundWindow(event.window); break;
    case HostEvent::kIconic: HostIconified(event.window, event.on); break;
    case HostEvent::kWheel: QueueWheel(event); break;
  }
}

// Host input that arrived for this thread, from the display or from elsewhere.
void RunHostInput() {
  std::vector<HostEvent> events;
  TheBackend().Pump(&events);
  {
    auto lock = LockKernel();
    ThreadQueue& queue = OwnQueue();
    events.insert(events.end(), queue.arrived.begin(), queue.arrived.end());
    queue.arrived.clear();
  }
  for (const HostEvent& event : events) HandleHostEvent(event);
}

bool Retrieve(MSG* msg, HWND filter, UINT filterMin, UINT filterMax, bool remove, bool wait) {
  for (;;) {
    RunSentMessages();
    RunHostInput();
    auto lock = LockKernel();
    ThreadQueue& queue = OwnQueue();
    if (!queue.sent.empty() || !queue.arrived.empty()) continue;
    if (NextMessage(queue, msg, filter, filterMin, filterMax, remove)) return true;
    if (!wait) return false;
    uint64_t seen = queue.generation;
    TheBackend().Wait(lock, [&] { return queue.generation != seen; },
                      NextTimerDue(queue, filter, filterMin, filterMax));
  }
}

// Null, or a window of the calling thread: no other thread's messages come here.
bool ValidFilter(HWND filter) {
  if (!filter) return true;
  auto lock = LockKernel();
  std::shared_ptr<Window> window = FindLocalWindow(filter);
  if (window && window->threadId == GetCurrentThreadId()) return true;
  SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return false;
}

}  // namespace
}  // namespace wince

using namespace wince;

BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto lock = LockKernel();
  DWORD thread = GetCurrentThreadId();
  if (hwnd) {
    std::shared_ptr<Window> window = FindLocalWindow(hwnd);
    if (!window) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    thread = window->threadId;
  }
  PostLocked(QueueOf(thread), MakeMsg(hwnd, message, wParam, lParam));
  return TRUE;
}

LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD thread;
  {
    auto lock = LockKernel();
    std::shared_ptr<Window> window = FindLocalWindow(hwnd);
    if (!window) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    thread = window->threadId;
  }
  if (thread == GetCurrentThreadId()) return CallWindowProcOf(hwnd, message, wParam, lParam);
  // Another thread's window: its thread runs the procedure while this one waits, and runs
  // what is sent to this thread meanwhile, so two threads sending to each other go on.
  SentMessage sent;
  sent.msg = MakeMsg(hwnd, message, wParam, lParam);
  auto lock = LockKernel();
  ThreadQueue& queue = QueueOf(thread);
  queue.sent.push_back(&sent);
  WakeQueue(queue);
  ThreadQueue& own = OwnQueue();
  for (;;) {
    WaitFor(lock, [&] { return sent.done || !own.sent.empty(); }, kNoDeadline);
    if (sent.done) return sent.result;
    lock.unlock();
    RunSentMessages();
    lock.lock();
  }
}

BOOL GetMessageW(LPMSG msg, HWND filter, UINT filterMin, UINT filterMax) {
  if (!msg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  if (!ValidFilter(filter)) return -1;
  Retrieve(msg, filter, filterMin, filterMax, true, true);
  return msg->message != WM_QUIT;
}

BOOL PeekMessageW(LPMSG msg, HWND filter, UINT filterMin, UINT filterMax, UINT removeMessage) {
  if (!msg || !ValidFilter(filter)) return FALSE;
  return Retrieve(msg, filter, filterMin, filterMax, removeMessage & PM_REMOVE, false);
}

BOOL TranslateMessage(CONST MSG* msg) {
  // Key messages count as translated; the device's keys produce no characters here.
  return msg && (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP);
}

LRESULT DispatchMessageW(CONST MSG* msg) {
  if (!msg) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
    return 0;
  }
  {
    auto lock = LockKernel();
    std::shared_ptr<Window> window = FindLocalWindow(msg->hwnd);
    if (!window || window->threadId != GetCurrentThreadId()) return 0;
  }
  return CallWindowProcOf(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

void PostQuitMessage(int exitCode) {
  auto lock = LockKernel();
  ThreadQueue& queue = OwnQueue();
  queue.quit = true;
  queue.quitCode = exitCode;
  WakeQueue(queue);
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  auto lock = LockKernel();
  if (hwnd) {
    std::shared_ptr<Window> window = FindLocalWindow(hwnd);
    if (!window || window->threadId != GetCurrentThreadId()) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
  }
  ThreadQueue& queue = OwnQueue();
  elapse = std::clamp(elapse, kMinimumElapse, kMaximumElapse);
  auto existing = std::find_if(queue.timers.begin(), queue.timers.end(),
                               [&](const Timer& t) { return t.window == hwnd && t.id == id; });
  if (!hwnd && existing == queue.timers.end()) {
    // A thread timer gets an id of its own, unused by the thread's other timers.
    static UINT_PTR nextId = 0x7FF0;
    do id = ++nextId; while (std::any_of(queue.timers.begin(), queue.timers.end(),
                                         [&](const Timer& t) { return !t.window && t.id == id; }));
  }
  Timer timer{hwnd, id, elapse, proc, NowMs() + elapse};
  if (existing != queue.timers.end()) *existing = timer;
  else queue.timers.push_back(timer);
  WakeQueue(queue);
  return id ? id : 1;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  auto lock = LockKernel();
  std::shared_ptr<Window> window = FindLocalWindow(hwnd);
  ThreadQueue& queue = window ? QueueOf(window->threadId) : OwnQueue();
  auto found = std::find_if(queue.timers.begin(), queue.timers.end(),
                            [&](const Timer& t) { return t.window == hwnd && t.id == id; });
  if (found == queue.timers.end()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  queue.timers.erase(found);
  return TRUE;
}

void WinceSetKeyHook(WinceKeyHook hook) { g_keyHook = hook; }
