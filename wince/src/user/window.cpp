// Window classes and windows.
#include <algorithm>

#include "kernel/handle.h"
#include "user/display.h"
#include "user/remote.h"
#include "user/state.h"

namespace wince {
namespace {

std::u16string Text(LPCWSTR text) { return text ? std::u16string(text) : std::u16string(); }

std::shared_ptr<WindowClass> FindClass(LPCWSTR name) {
  if (!name || IS_INTRESOURCE(name)) return nullptr;
  auto& classes = User().classes;
  auto found = classes.find(LowerCase(name));
  return found == classes.end() ? nullptr : found->second;
}

std::shared_ptr<Window> NewWindow(std::shared_ptr<WindowClass> windowClass, LPCWSTR title, DWORD style,
                                  const RECT& rect) {
  UserState& user = User();
  auto window = std::make_shared<Window>();
  window->handle = reinterpret_cast<HWND>(user.nextHandle);
  user.nextHandle += 0x10;  // even: the lowest bit is a flag of SetForegroundWindow
  window->windowClass = std::move(windowClass);
  window->title = Text(title);
  window->style = style;
  window->threadId = GetCurrentThreadId();
  window->rect = rect;
  const DisplayConfig& display = Display();
  int side = std::max(display.width, display.height);
  window->pixels.assign(static_cast<size_t>(side) * side, 0);
  SIZE screen = ScreenSize();
  window->surface = Surface{static_cast<int>(screen.cx), static_cast<int>(screen.cy),
                            static_cast<int>(screen.cx), window->pixels.data()};
  user.windows[window->handle] = window;
  user.order.push_back(window->handle);
  if (!user.firstTopLevel) user.firstTopLevel = window->handle;
  QueueOf(window->threadId);
  return window;
}

RECT InitialRect(int x, int y, int width, int height) {
  SIZE screen = ScreenSize();
  // A top-level window covers the screen unless told otherwise.
  if (x == CW_USEDEFAULT) x = y = 0;
  if (width == CW_USEDEFAULT) {
    width = screen.cx - x;
    height = screen.cy - y;
  }
  return RECT{x, y, x + width, y + height};
}

void SendSize(HWND handle, WPARAM kind) {
  RECT client;
  GetClientRect(handle, &client);
  SendMessageW(handle, WM_SIZE, kind, MAKELPARAM(client.right, client.bottom));
}

// With the kernel lock held: the window shows again and must be drawn whole.
void RepaintWhole(Window& window) {
  window.updatePending = window.erasePending = true;
  window.update = RECT{0, 0, window.rect.right - window.rect.left, window.rect.bottom - window.rect.top};
  WakeQueue(QueueOf(window.threadId));
}

std::shared_ptr<Window> AnyWindow(HWND handle) {
  std::shared_ptr<Window> window = FindLocalWindow(handle);
  if (!window) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return window;
}

// Windows of the calling thread only: as on Windows, a window belongs to its thread.
std::shared_ptr<Window> OwnWindow(HWND handle) {
  std::shared_ptr<Window> window = FindLocalWindow(handle);
  if (!window || window->threadId != GetCurrentThreadId()) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  return window;
}

}  // namespace
}  // namespace wince

using namespace wince;

ATOM RegisterClassW(CONST WNDCLASSW* info) {
  if (!info || !info->lpfnWndProc || !info->lpszClassName || IS_INTRESOURCE(info->lpszClassName) ||
      !*info->lpszClassName || info->cbClsExtra < 0 || info->cbWndExtra < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto lock = LockKernel();
  UserState& user = User();
  std::u16string key = LowerCase(info->lpszClassName);
  if (user.classes.count(key)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  if (user.nextAtom == 0xFFFF) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  auto windowClass = std::make_shared<WindowClass>();
  windowClass->name = info->lpszClassName;
  windowClass->info = *info;
  windowClass->info.lpszClassName = windowClass->name.c_str();
  windowClass->info.lpszMenuName = nullptr;
  user.classes[key] = windowClass;
  return ++user.nextAtom;
}

BOOL UnregisterClassW(LPCWSTR name, HINSTANCE) {
  auto lock = LockKernel();
  UserState& user = User();
  std::shared_ptr<WindowClass> windowClass = FindClass(name);
  if (!windowClass) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  for (auto& entry : user.windows)
    if (entry.second->windowClass == windowClass) {
      SetLastError(ERROR_CLASS_HAS_WINDOWS);
      return FALSE;
    }
  user.classes.erase(LowerCase(name));
  return TRUE;
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  std::shared_ptr<Window> window;
  {
    auto lock = LockKernel();
    std::shared_ptr<WindowClass> windowClass = FindClass(className);
    if (!windowClass) {
      SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
      return nullptr;
    }
    window = NewWindow(windowClass, windowName, style & ~WS_VISIBLE, InitialRect(x, y, width, height));
  }
  HWND handle = window->handle;
  CREATESTRUCTW create = {param,
                          instance,
                          menu,
                          parent,
                          static_cast<int>(window->rect.bottom - window->rect.top),
                          static_cast<int>(window->rect.right - window->rect.left),
                          static_cast<int>(window->rect.top),
                          static_cast<int>(window->rect.left),
                          static_cast<LONG>(style),
                          windowName,
                          className,
                          exStyle};
  if (CallWindowProcOf(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
    DestroyWindow(handle);
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (!IsWindow(handle)) return nullptr;  // destroyed by its own WM_CREATE
  TheBackend().WindowCreated(handle, window->title, style & WS_VISIBLE);
  StartListener(handle, window->windowClass->name, window->title);
  SendSize(handle, SIZE_RESTORED);
  if (style & WS_VISIBLE) ShowWindow(handle, SW_SHOW);
  bool closeAsked;
  {
    auto lock = LockKernel();
    closeAsked = User().closeAsked;
  }
  if (closeAsked) PostMessageW(handle, WM_CLOSE, 0, 0);
  return handle;
}

BOOL DestroyWindow(HWND handle) {
  std::shared_ptr<Window> window;
  {
    auto lock = LockKernel();
    window = OwnWindow(handle);
    if (!window || window->destroying) return FALSE;
    window->destroying = true;
  }
  if (GetForegroundWindow() == handle) Activate(nullptr, WA_INACTIVE);
  CallWindowProcOf(handle, WM_DESTROY, 0, 0);
  StopListener(handle);
  TheBackend().WindowDestroyed(handle);
  auto lock = LockKernel();
  UserState& user = User();
  user.windows.erase(handle);
  user.order.erase(std::find(user.order.begin(), user.order.end(), handle));
  if (user.firstTopLevel == handle) user.firstTopLevel = nullptr;
  ThreadQueue& queue = QueueOf(window->threadId);
  std::erase_if(queue.timers, [&](const Timer& timer) { return timer.window == handle; });
  std::erase_if(queue.posted, [&](const MSG& msg) { return msg.hwnd == handle; });
  std::erase_if(queue.input, [&](const MSG& msg) { return msg.hwnd == handle; });
  return TRUE;
}

LRESULT DefWindowProcW(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      DestroyWindow(handle);
      return 0;
    case WM_PAINT: {
      // Validates, so an unhandled paint is not generated again.
      PAINTSTRUCT paint;
      if (BeginPaint(handle, &paint)) EndPaint(handle, &paint);
      return 0;
    }
    case WM_ERASEBKGND: {
      // The class's background brush fills the client area; without one nothing is erased.
      HBRUSH brush = nullptr;
      RECT client = {};
      {
        auto lock = LockKernel();
        if (std::shared_ptr<Window> window = FindLocalWindow(handle)) {
          brush = window->windowClass->info.hbrBackground;
          client = RECT{0, 0, window->rect.right - window->rect.left, window->rect.bottom - window->rect.top};
        }
      }
      return brush && FillRect(reinterpret_cast<HDC>(wParam), &client, brush) ? 1 : 0;
    }
    default:
      return 0;
  }
}

BOOL IsWindow(HWND handle) {
  if (!handle) return FALSE;
  {
    auto lock = LockKernel();
    if (FindLocalWindow(handle)) return TRUE;
  }
  return RemoteWindowExists(handle);
}

BOOL IsWindowVisible(HWND handle) {
  auto lock = LockKernel();
  std::shared_ptr<Window> window = FindLocalWindow(handle);
  return window && window->visible;
}

BOOL ShowWindow(HWND handle, int command) {
  bool wasVisible, wasMinimized;
  {
    auto lock = LockKernel();
    std::shared_ptr<Window> window = AnyWindow(handle);
    if (!window) return FALSE;
    wasVisible = window->visible;
    wasMinimized = window->minimized;
    switch (command) {
      case SW_HIDE:
        window->visible = false;
        break;
      case SW_MINIMIZE:
        // Iconic once the host has iconified it (HostIconified): a host that cannot (no
        // window manager, a phone shell) keeps it shown, so it stays painted.
        window->visible = true;
        break;
      case SW_SHOWNORMAL:
      case SW_RESTORE:
        window->visible = true;
        window->minimized = false;
        break;
      case SW_SHOW:
      case SW_SHOWNA:
      case SW_SHOWNOACTIVATE:
        window->visible = true;
        break;
      default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (window->visible && !window->minimized && (!wasVisible || wasMinimized)) RepaintWhole(*window);
  }
  TheBackend().WindowShown(handle, command);
  if (wasMinimized && (command == SW_SHOWNORMAL || command == SW_RESTORE)) SendSize(handle, SIZE_RESTORED);
  if (command == SW_HIDE || command == SW_MINIMIZE) {
    if (GetForegroundWindow() == handle) Activate(nullptr, WA_INACTIVE);
  } else if (command == SW_SHOW || command == SW_SHOWNORMAL || command == SW_RESTORE) {
    Activate(handle, WA_ACTIVE);
  }
  return wasVisible;
}

namespace wince {

void HostIconified(HWND handle, bool iconic) {
  {
    auto lock = LockKernel();
    std::shared_ptr<Window> window = FindLocalWindow(handle);
    if (!window || window->minimized == iconic) return;
    window->minimized = iconic;
    if (!iconic && window->visible) RepaintWhole(*window);
  }
  SendSize(handle, iconic ? SIZE_MINIMIZED : SIZE_RESTORED);
}

}  // namespace wince

BOOL MoveWindow(HWND handle, int x, int y, int width, int height, BOOL repaint) {
  bool resized;
  {
    auto lock = LockKernel();
    std::shared_ptr<Window> window = AnyWindow(handle);
    if (!window) return FALSE;
    RECT& r = window->rect;
    resized = r.right - r.left != width || r.bottom - r.top != height;
    r = RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)};
  }
  if (resized) SendSize(handle, SIZE_RESTORED);
  UINT redraw = CS_HREDRAW | CS_VREDRAW;
  {
    auto lock = LockKernel();
    std::shared_ptr<Window> window = FindLocalWindow(handle);
    if (window) redraw &= window->windowClass->info.style;
  }
  if (repaint || (resized && redraw)) InvalidateRect(handle, nullptr, TRUE);
  return TRUE;
}

// The window's rectangle on the screen, or FALSE with the error set.
static BOOL ReadWindowRect(HWND handle, LPRECT rect) {
  auto lock = LockKernel();
  std::shared_ptr<Window> window = FindLocalWindow(handle);
  if (!window || !rect) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  *rect = window->rect;
  return TRUE;
}

BOOL GetClientRect(HWND handle, LPRECT rect) {
  if (!ReadWindowRect(handle, rect)) return FALSE;
  *rect = RECT{0, 0, rect->right - rect->left, rect->bottom - rect->top};
  return TRUE;
}

BOOL GetWindowRect(HWND handle, LPRECT rect) { return ReadWindowRect(handle, rect); }

BOOL ScreenToClient(HWND handle, LPPOINT point) {
  RECT rect;
  if (!point || !ReadWindowRect(handle, &rect)) return FALSE;
  point->x -= rect.left;
  point->y -= rect.top;
  return TRUE;
}

HWND FindWindowW(LPCWSTR className, LPCWSTR windowName) {
  {
    auto lock = LockKernel();
    UserState& user = User();
    std::shared_ptr<WindowClass> windowClass = className ? FindClass(className) : nullptr;
    for (HWND handle : user.order) {
      const Window& window = *user.windows[handle];
      if (window.destroying) continue;
      if (className && window.windowClass != windowClass) continue;
      if (windowName && LowerCase(window.title) != LowerCase(windowName)) continue;
      return handle;
    }
  }
  if (!className || !windowName) return nullptr;
  return FindRemoteWindow(className, windowName);
}

BOOL SetForegroundWindow(HWND handle) {
  // The lowest bit asks for the windows the target owns too; it has none here.
  handle = reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(handle) & ~uintptr_t{1});
  std::shared_ptr<Window> window;
  {
    auto lock = LockKernel();
    window = FindLocalWindow(handle);
  }
  if (!window) return RaiseRemoteWindow(handle);
  if (window->threadId != GetCurrentThreadId()) {
    PostHostEvent(HostEvent{HostEvent::kRaise, handle});
    return TRUE;
  }
  bool minimized;
  {
    auto lock = LockKernel();
    minimized = window->minimized || !window->visible;
  }
  ShowWindow(handle, minimized ? SW_RESTORE : SW_SHOW);
  return TRUE;
}

HWND GetForegroundWindow(void) {
  auto lock = LockKernel();
  return User().foreground;
}

HWND SetActiveWindow(HWND handle) {
  HWND previous = GetForegroundWindow();
  {
    auto lock = LockKernel();
    if (!OwnWindow(handle)) return nullptr;
  }
  Activate(handle, WA_ACTIVE);
  return previous;
}

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
  // The system's cursors only; the device shows none, so any non-null value serves.
  if (instance || name != IDC_ARROW) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<HCURSOR>(static_cast<uintptr_t>(0x7F00) << 4);
}
