// Invalidation, painting and window device contexts.
#include <algorithm>
#include <map>

#include "kernel/handle.h"
#include "user/display.h"
#include "user/state.h"

namespace wince {
namespace {

// A window DC handed out by GetDC or BeginPaint. It holds its window, whose surface it draws
// on, so a DC kept past DestroyWindow still draws into valid memory.
struct WindowDC {
  HWND handle;  // null: the desktop
  std::shared_ptr<Window> window;
};

std::map<HDC, WindowDC>& WindowDCs() {
  static auto* dcs = new std::map<HDC, WindowDC>;
  return *dcs;
}

// The screen before any window exists (GetDC(NULL) then still works, for device caps).
Surface* DesktopSurface() {
  static std::vector<uint32_t>* pixels = nullptr;
  static Surface surface;
  if (!pixels) {
    SIZE screen = ScreenSize();
    pixels = new std::vector<uint32_t>(static_cast<size_t>(screen.cx) * screen.cy);
    surface = Surface{static_cast<int>(screen.cx), static_cast<int>(screen.cy), static_cast<int>(screen.cx),
                      pixels->data()};
  }
  return &surface;
}

RECT ClientOf(const Window& window) {
  return RECT{0, 0, window.rect.right - window.rect.left, window.rect.bottom - window.rect.top};
}

RECT Union(const RECT& a, const RECT& b) {
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

void Invalidate(Window& window, const RECT* rect, bool erase) {
  RECT client = ClientOf(window);
  RECT area = client;
  if (rect && !IntersectRect(&area, rect, &client)) return;
  window.update = window.updatePending ? Union(window.update, area) : area;
  window.updatePending = true;
  window.erasePending = window.erasePending || erase;
  WakeQueue(QueueOf(window.threadId));
}

// Without the kernel lock: the GDI has its own.
HDC NewWindowDC(HWND handle, std::shared_ptr<Window> window, Surface* surface) {
  HDC dc = CreateSurfaceDC(surface);
  if (dc) {
    auto lock = LockKernel();
    WindowDCs()[dc] = WindowDC{handle, std::move(window)};
  }
  return dc;
}

}  // namespace
}  // namespace wince

using namespace wince;

BOOL InvalidateRect(HWND handle, CONST RECT* rect, BOOL erase) {
  auto lock = LockKernel();
  UserState& user = User();
  if (!handle) {
    for (auto& entry : user.windows) Invalidate(*entry.second, nullptr, erase);
    return TRUE;
  }
  std::shared_ptr<Window> window = FindLocalWindow(handle);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  Invalidate(*window, rect, erase);
  return TRUE;
}

BOOL ValidateRect(HWND handle, CONST RECT* rect) {
  auto lock = LockKernel();
  std::shared_ptr<Window> window = FindLocalWindow(handle);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  // The invalid area is kept as a bounding box: it is validated once a rectangle covers it.
  RECT covered = rect ? Union(*rect, window->update) : RECT{};
  if (!rect || EqualRect(&covered, rect)) {
    window->updatePending = window->erasePending = false;
    window->update = RECT{};
  }
  return TRUE;
}

BOOL UpdateWindow(HWND handle) {
  bool paint;
  {
    auto lock = LockKernel();
    std::shared_ptr<Window> window = FindLocalWindow(handle);
    if (!window) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    paint = window->updatePending && window->visible && !window->minimized;
  }
  if (paint) SendMessageW(handle, WM_PAINT, 0, 0);
  return TRUE;
}

HDC BeginPaint(HWND handle, LPPAINTSTRUCT paint) {
  if (!paint) return nullptr;
  std::shared_ptr<Window> window;
  bool erase;
  {
    auto lock = LockKernel();
    window = FindLocalWindow(handle);
    if (!window || window->threadId != GetCurrentThreadId()) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
    *paint = PAINTSTRUCT{};
    paint->rcPaint = window->updatePending ? window->update : RECT{};
    erase = window->erasePending;
    window->updatePending = window->erasePending = false;
    window->update = RECT{};
  }
  paint->hdc = NewWindowDC(handle, window, &window->surface);
  if (!paint->hdc) return nullptr;
  // fErase tells the window the background still needs erasing.
  if (erase) paint->fErase = !SendMessageW(handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(paint->hdc), 0);
  return paint->hdc;
}

BOOL EndPaint(HWND handle, CONST PAINTSTRUCT* paint) {
  if (!paint) return FALSE;
  ReleaseDC(handle, paint->hdc);
  return TRUE;
}

HDC GetDC(HWND handle) {
  std::shared_ptr<Window> window;
  Surface* surface;
  {
    auto lock = LockKernel();
    UserState& user = User();
    if (!handle) {
      // The screen: the window that shows on it, or the desktop before there is one.
      handle = user.foreground ? user.foreground : user.firstTopLevel;
      window = FindLocalWindow(handle);
      if (!window) handle = nullptr;
    } else {
      window = FindLocalWindow(handle);
      if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
      }
    }
    surface = window ? &window->surface : DesktopSurface();
  }
  return NewWindowDC(handle, std::move(window), surface);
}

int ReleaseDC(HWND, HDC dc) {
  WindowDC released;
  {
    auto lock = LockKernel();
    auto found = WindowDCs().find(dc);
    if (found == WindowDCs().end()) return 0;
    released = std::move(found->second);
    WindowDCs().erase(found);
  }
  ReleaseSurfaceDC(dc);
  if (released.handle) PresentWindow(released.handle);
  return 1;
}
