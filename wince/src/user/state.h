// The window system's state: classes, windows, per-thread message queues. Guarded by the
// kernel lock (kernel/handle.h) unless a field says otherwise; window procedures are
// always called with the lock released.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "backend/backend.h"
#include "common/surface.h"

namespace wince {

struct WindowClass {
  std::u16string name;
  WNDCLASSW info;  // lpszClassName points into name; lpszMenuName is not kept
};

struct Window {
  HWND handle = nullptr;
  std::shared_ptr<WindowClass> windowClass;
  std::u16string title;
  DWORD style = 0;
  DWORD threadId = 0;
  RECT rect = {};  // on the screen; the client area is the whole window
  bool visible = false;
  bool minimized = false;
  bool destroying = false;
  bool updatePending = false;
  bool erasePending = false;
  RECT update = {};  // bounding box of the invalid area, client coordinates
  DWORD fullScreenState = 0;  // last SHFullScreen flags
  // The window's pixels: a screen-sized surface whose storage fits either orientation.
  // Touched only by the window's thread (and the test driver while it is idle).
  Surface surface;
  std::vector<uint32_t> pixels;
};

struct Timer {
  HWND window;
  UINT_PTR id;
  UINT elapse;
  TIMERPROC proc;
  uint64_t due;
};

// A message sent to a window of another thread, waiting for its result.
struct SentMessage {
  MSG msg;
  LRESULT result = 0;
  bool done = false;
};

struct ThreadQueue {
  DWORD threadId = 0;
  std::deque<MSG> posted;
  // Stylus and key messages: retrieved after the posted ones, so what a handler posts for
  // one touch is handled before the next touch.
  std::deque<MSG> input;
  // Host events from other threads and the test driver, turned into messages by this one.
  std::deque<HostEvent> arrived;
  std::deque<SentMessage*> sent;
  std::vector<Timer> timers;
  bool quit = false;
  int quitCode = 0;
  // Bumped on every change a waiting GetMessageW must look at.
  uint64_t generation = 0;
};

struct UserState {
  std::map<std::u16string, std::shared_ptr<WindowClass>> classes;  // by lower-case name
  std::map<HWND, std::shared_ptr<Window>> windows;
  std::vector<HWND> order;  // creation order
  std::map<DWORD, std::shared_ptr<ThreadQueue>> queues;
  HWND foreground = nullptr;
  HWND firstTopLevel = nullptr;
  bool closeAsked = false;  // the host asked the program to end (CloseAllWindows)
  DWORD orientation = 0;  // DMDO_*
  uintptr_t nextHandle = 0x20000;
  // Atoms of registered classes lie in 0xC000..0xFFFF; one is never given to two classes.
  ATOM nextAtom = 0xC000;
};

// With the kernel lock held.
UserState& User();
std::shared_ptr<Window> FindLocalWindow(HWND handle);
ThreadQueue& QueueOf(DWORD threadId);
// Marks the queue changed and wakes its thread wherever it waits.
void WakeQueue(ThreadQueue& queue);
// Queues host input for the window's thread; several events arrive together.
void PostHostEvent(const HostEvent& event);
void PostHostEvents(const std::vector<HostEvent>& events);
// The screen as the current display orientation shows it.
SIZE ScreenSize();
// The part of the screen not kept by a taskbar: the whole screen.
RECT WorkArea();
std::u16string LowerCase(const std::u16string& text);

// Without the kernel lock.
// The host asks the program to end as its windows' close buttons would: every window gets
// WM_CLOSE, and so does one created later.
void CloseAllWindows();
LRESULT CallWindowProcOf(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
// Makes the window the active one (null: none), sending WM_ACTIVATE to the windows that
// lose and gain activation.
void Activate(HWND handle, WORD state);
// Hands the window's surface to the display.
void PresentWindow(HWND handle);
// The host iconified the window (its window manager carried out a minimise) or showed it
// again: an iconic window is not painted; shown again, it is painted whole.
void HostIconified(HWND handle, bool iconic);

}  // namespace wince
