// Real windows through SDL2. Every SDL video call happens on the thread that created the
// first window (the GUI thread, which runs the message loop); other threads only push a
// wake-up event, which SDL allows from any thread. Frames reach the screen through the
// window's surface (shared memory with the X server), so no GL library is ever loaded.
//
// The device's screen fills the host window as a picture scaled by whole pixels by
// default (nearest neighbour, so pixels stay sharp): the zoom is chosen from the host
// display's DPI and size, or forced by WINCE_ZOOM. The window can be resized or made
// full screen (WINCE_FULLSCREEN=1, F11); the picture then fills it as far as its aspect
// allows, the rest black, and stylus points map back to device pixels.
#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <thread>

#include "backend/backend.h"
#include "common/utf.h"
#include "kernel/handle.h"
#include "kernel/power.h"
#include "kernel/sched.h"
#include "user/state.h"

namespace wince {
namespace {

struct HostWindow {
  SDL_Window* window = nullptr;
  SDL_Surface* frame = nullptr;  // the last frame presented, kept for exposures
  RECT shown = {};               // where the client area was last drawn
  SIZE screen = {};              // the device's screen
  int zoom = 1;                  // of the window's own size, when not full screen
  bool stylusDown = false;       // a press began on the picture
};

constexpr int kMaxZoom = 8;

// WINCE_ZOOM when it is a whole number from 1 to kMaxZoom; otherwise one host pixel per
// 96 dpi of the host display (2 on a 192 dpi display), as large as fits the usable
// area of the display.
int ChooseZoom(SIZE screen) {
  const char* forced = std::getenv("WINCE_ZOOM");
  if (forced && *forced) {
    char* end = nullptr;
    long zoom = std::strtol(forced, &end, 10);
    if (*end == 0 && zoom >= 1 && zoom <= kMaxZoom) return int(zoom);
  }
  float dpi = 96;
  if (SDL_GetDisplayDPI(0, nullptr, &dpi, nullptr) != 0 || dpi < 1) dpi = 96;
  int zoom = std::clamp(int((dpi + 48) / 96), 1, kMaxZoom);
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(0, &usable) == 0) {
    while (zoom > 1 && (screen.cx * zoom > usable.w || screen.cy * zoom > usable.h)) --zoom;
  }
  return zoom;
}

bool FullScreenAsked() {
  const char* full = std::getenv("WINCE_FULLSCREEN");
  return full && std::strcmp(full, "1") == 0;
}

// Where the screen's picture lies in a window of the given size: as large as the window
// allows with the screen's aspect, centred. A window of the zoomed screen's size holds
// it exactly.
SDL_Rect PictureIn(int width, int height, SIZE screen) {
  if (screen.cx <= 0 || screen.cy <= 0 || width <= 0 || height <= 0) return SDL_Rect{0, 0, 0, 0};
  int64_t w = width, h = height;
  if (w * screen.cy <= h * screen.cx) h = w * screen.cy / screen.cx;
  else w = h * screen.cx / screen.cy;
  return SDL_Rect{int((width - w) / 2), int((height - h) / 2), int(w), int(h)};
}

// A screen length of n pixels in a picture of the given length.
int ToPicture(int64_t n, int pictureLength, LONG screenLength) { return int(n * pictureLength / screenLength); }

UINT VirtualKey(SDL_Keycode key) {
  switch (key) {
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_UP: return VK_UP;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_RETURN: return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    default: break;
  }
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  return 0;
}

class SdlBackend : public Backend {
 public:
  ~SdlBackend() override = default;

  void WindowCreated(HWND handle, const std::u16string& title, bool visible) override {
    if (!Start()) return;
    SIZE screen;
    {
      auto lock = LockKernel();
      screen = ScreenSize();
    }
    HostWindow host;
    host.screen = screen;
    host.zoom = ChooseZoom(screen);
    Uint32 flags = (visible ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN) | SDL_WINDOW_RESIZABLE;
    if (FullScreenAsked()) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    host.window = SDL_CreateWindow(ToUtf8(title).c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   screen.cx * host.zoom, screen.cy * host.zoom, flags);
    if (!host.window) return;
    windows_[handle] = host;
  }

  void WindowDestroyed(HWND handle) override {
    HostWindow* host = Find(handle);
    if (!host) return;
    SDL_FreeSurface(host->frame);
    SDL_DestroyWindow(host->window);
    windows_.erase(handle);
  }

  void WindowShown(HWND handle, int command) override {
    HostWindow* host = Find(handle);
    if (!host) return;
    switch (command) {
      case SW_HIDE: SDL_HideWindow(host->window); break;
      case SW_MINIMIZE: SDL_MinimizeWindow(host->window); break;
      case SW_SHOWNORMAL:
      case SW_RESTORE:
        SDL_ShowWindow(host->window);
        SDL_RestoreWindow(host->window);
        SDL_RaiseWindow(host->window);
        break;
      case SW_SHOW:
        SDL_ShowWindow(host->window);
        SDL_RaiseWindow(host->window);
        break;
      default: SDL_ShowWindow(host->window); break;
    }
  }

  void ScreenResized(HWND handle) override {
    HostWindow* host = Find(handle);
    if (!host) return;
    {
      auto lock = LockKernel();
      host->screen = ScreenSize();
    }
    if (!(SDL_GetWindowFlags(host->window) & SDL_WINDOW_FULLSCREEN))
      SDL_SetWindowSize(host->window, host->screen.cx * host->zoom, host->screen.cy * host->zoom);
    Render(*host);
  }

  void Present(HWND handle, const Surface& surface, const RECT& rect) override {
    HostWindow* host = Find(handle);
    if (!host) return;
    if (!host->frame || host->frame->w != surface.width || host->frame->h != surface.height) {
      SDL_FreeSurface(host->frame);
      host->frame = SDL_CreateRGBSurfaceWithFormat(0, surface.width, surface.height, 32, SDL_PIXELFORMAT_RGB888);
      if (!host->frame) return;
    }
    for (int y = 0; y < surface.height; ++y) {
      std::memcpy(static_cast<uint8_t*>(host->frame->pixels) + size_t(y) * host->frame->pitch,
                  surface.pixels + size_t(y) * surface.stride, size_t(surface.width) * 4);
    }
    host->shown = rect;
    Render(*host);
  }

  void Pump(std::vector<HostEvent>* events) override {
    if (!OnGuiThread()) return;
    wakePending_ = false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) Translate(event, events);
  }

  void Wait(std::unique_lock<std::mutex>& lock, const std::function<bool()>& ready,
            uint64_t deadline) override {
    if (!OnGuiThread()) {
      WaitFor(lock, ready, deadline);
      return;
    }
    if (ready()) return;
    lock.unlock();
    deadline = std::min(deadline, KeepScreenAwake());
    if (deadline == kNoDeadline) {
      SDL_WaitEvent(nullptr);
    } else {
      uint64_t now = NowMs();
      int timeout = deadline <= now ? 0 : static_cast<int>(std::min<uint64_t>(deadline - now, INT_MAX));
      SDL_WaitEventTimeout(nullptr, timeout);
    }
    lock.lock();
  }

  void Wake() override {
    if (!started_ || wakePending_.exchange(true)) return;
    SDL_Event event = {};
    event.type = wakeEvent_;
    SDL_PushEvent(&event);
  }

 private:
  bool OnGuiThread() const { return started_ && std::this_thread::get_id() == guiThread_; }

  bool Start() {
    if (started_) return OnGuiThread();
    if (failed_) return false;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // The window surface stays in system memory rather than becoming a GL texture.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // A finger on a touch screen is the stylus, as the left button is.
    SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      failed_ = true;  // windows stay in memory, as with the headless backend
      return false;
    }
    wakeEvent_ = SDL_RegisterEvents(1);
    guiThread_ = std::this_thread::get_id();
    started_ = true;
    return true;
  }

  HostWindow* Find(HWND handle) {
    if (!OnGuiThread()) return nullptr;
    auto found = windows_.find(handle);
    return found == windows_.end() ? nullptr : &found->second;
  }

  HWND FromId(Uint32 id) {
    SDL_Window* window = SDL_GetWindowFromID(id);
    for (auto& [handle, host] : windows_)
      if (host.window == window) return handle;
    return nullptr;
  }

  void Render(HostWindow& host) {
    SDL_Surface* screen = SDL_GetWindowSurface(host.window);
    if (!screen) return;
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
    if (host.frame) {
      // The client area sits where the window is on the device's screen; the rest of the
      // screen and the letterbox stay black.
      SDL_Rect picture = PictureIn(screen->w, screen->h, host.screen);
      SDL_Rect source = {0, 0, std::min(int(host.shown.right - host.shown.left), host.frame->w),
                         std::min(int(host.shown.bottom - host.shown.top), host.frame->h)};
      SDL_Rect area = {picture.x + ToPicture(host.shown.left, picture.w, host.screen.cx),
                       picture.y + ToPicture(host.shown.top, picture.h, host.screen.cy),
                       ToPicture(source.w, picture.w, host.screen.cx),
                       ToPicture(source.h, picture.h, host.screen.cy)};
      if (area.w == source.w && area.h == source.h) SDL_BlitSurface(host.frame, &source, screen, &area);
      else SDL_BlitScaled(host.frame, &source, screen, &area);
    }
    SDL_UpdateWindowSurface(host.window);
  }

  // A stylus event at a point of the host window, in the device's screen pixels. A press
  // on the letterbox is no press; once pressed on the picture, the stylus stays on the
  // screen's edge when it is dragged past it.
  bool Stylus(HostWindow& host, HostEvent::Kind kind, int x, int y, HostEvent* out) {
    int width = 0, height = 0;
    SDL_GetWindowSize(host.window, &width, &height);
    SDL_Rect picture = PictureIn(width, height, host.screen);
    if (picture.w <= 0 || picture.h <= 0) return false;
    bool inside = x >= picture.x && x < picture.x + picture.w && y >= picture.y && y < picture.y + picture.h;
    if (kind == HostEvent::kStylusDown) {
      if (!inside) return false;
      host.stylusDown = true;
    } else if (!host.stylusDown) {
      return false;
    } else if (kind == HostEvent::kStylusUp) {
      host.stylusDown = false;
    }
    out->kind = kind;
    out->x = std::clamp(int(int64_t(x - picture.x) * host.screen.cx / picture.w), 0, int(host.screen.cx) - 1);
    out->y = std::clamp(int(int64_t(y - picture.y) * host.screen.cy / picture.h), 0, int(host.screen.cy) - 1);
    return true;
  }

  void ToggleFullScreen(HostWindow& host) {
    bool full = SDL_GetWindowFlags(host.window) & SDL_WINDOW_FULLSCREEN;
    SDL_SetWindowFullscreen(host.window, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    Render(host);
  }

  // Holds the host's screen saver off while the device's idle timer was reset recently;
  // returns when to look again.
  uint64_t KeepScreenAwake() {
    uint64_t last = LastIdleTimerReset();
    bool awake = last && NowMs() < last + kIdleTimeoutMs;
    if (awake != screenSaverOff_) {
      if (awake) SDL_DisableScreenSaver();
      else SDL_EnableScreenSaver();
      screenSaverOff_ = awake;
    }
    return awake ? last + kIdleTimeoutMs : kNoDeadline;
  }

  void Translate(const SDL_Event& event, std::vector<HostEvent>* events) {
    HostEvent out{HostEvent::kClose};
    switch (event.type) {
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: {
        if (event.button.button != SDL_BUTTON_LEFT) return;
        out.window = FromId(event.button.windowID);
        HostWindow* host = Find(out.window);
        auto kind = event.type == SDL_MOUSEBUTTONDOWN ? HostEvent::kStylusDown : HostEvent::kStylusUp;
        if (!host || !Stylus(*host, kind, event.button.x, event.button.y, &out)) return;
        break;
      }
      case SDL_MOUSEMOTION: {
        if (!(event.motion.state & SDL_BUTTON_LMASK)) return;  // the stylus does not hover
        out.window = FromId(event.motion.windowID);
        HostWindow* host = Find(out.window);
        if (!host || !Stylus(*host, HostEvent::kStylusMove, event.motion.x, event.motion.y, &out)) return;
        break;
      }
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        out.window = FromId(event.key.windowID);
        if (event.key.keysym.sym == SDLK_F11) {  // the host's full-screen key, not the device's
          HostWindow* host = Find(out.window);
          if (host && event.type == SDL_KEYDOWN && !event.key.repeat) ToggleFullScreen(*host);
          return;
        }
        out.kind = HostEvent::kKey;
        out.vk = VirtualKey(event.key.keysym.sym);
        out.on = event.type == SDL_KEYDOWN;
        out.repeat = event.key.repeat != 0;
        if (!out.vk) return;
        break;
      case SDL_WINDOWEVENT:
        out.window = FromId(event.window.windowID);
        switch (event.window.event) {
          case SDL_WINDOWEVENT_FOCUS_GAINED: out.kind = HostEvent::kActivate; out.on = true; break;
          case SDL_WINDOWEVENT_FOCUS_LOST: out.kind = HostEvent::kActivate; out.on = false; break;
          case SDL_WINDOWEVENT_CLOSE: out.kind = HostEvent::kClose; break;
          case SDL_WINDOWEVENT_MINIMIZED: out.kind = HostEvent::kIconic; out.on = true; break;
          case SDL_WINDOWEVENT_RESTORED: out.kind = HostEvent::kIconic; out.on = false; break;
          case SDL_WINDOWEVENT_EXPOSED:
          case SDL_WINDOWEVENT_SIZE_CHANGED:
            if (HostWindow* host = Find(out.window)) Render(*host);
            return;
          default: return;
        }
        break;
      default: return;
    }
    if (out.window) events->push_back(out);
  }

  std::atomic<bool> started_{false};  // guiThread_ and wakeEvent_ are set before it
  bool failed_ = false;
  bool screenSaverOff_ = false;
  std::thread::id guiThread_;
  Uint32 wakeEvent_ = 0;
  std::atomic<bool> wakePending_{false};
  std::map<HWND, HostWindow> windows_;
};

}  // namespace

std::unique_ptr<Backend> MakeSdlBackend() { return std::make_unique<SdlBackend>(); }

}  // namespace wince
