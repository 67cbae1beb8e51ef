// Real windows through SDL2. Every SDL video call happens on the thread that created the
// first window (the GUI thread, which runs the message loop); other threads only push a
// wake-up event, which SDL allows from any thread. Frames reach the screen through the
// window's own surface where SDL has one (shared memory with the X server, no GL). SDL's
// Wayland driver has none and makes every window an EGL window whatever we ask for; there
// a renderer draws the frame as a texture at the output's own pixels, so a scaled output
// (scale 2 on a phone) shows it sharp rather than as a 1x buffer the compositor enlarges.
//
// The device's screen fills the host window as a picture scaled by whole pixels by
// default (nearest neighbour, so pixels stay sharp): the zoom is chosen from the host
// display's DPI and size, or forced by WINCE_ZOOM. The window can be resized or made
// full screen (WINCE_FULLSCREEN=1, F11); the picture then fills it as far as its aspect
// allows, the rest black, scaled by whole pixels where that fills it and smoothly
// otherwise, and stylus points map back to device pixels.
#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
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
  SDL_Renderer* renderer = nullptr;  // where the window has no surface of its own
  SDL_Texture* texture = nullptr;    // the frame, for the renderer
  RECT shown = {};               // where the client area was last drawn
  SIZE screen = {};              // the device's screen
  int zoom = 1;                  // of the window's own size, when not full screen
  bool stylusDown = false;       // a press began on the picture
  // The fingers on the window: the first is the stylus (SDL's mouse events carry it), each
  // further one a pointer of its own id, 2 and up (1 is the mouse's on desktop Windows).
  std::map<SDL_FingerID, UINT> fingers;
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

// The console's KMS/DRM driver has no window system: its windows always cover the display.
bool HostOnlyFullScreen() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver && std::strcmp(driver, "kmsdrm") == 0;
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

// Whole pixels keep the picture sharp; any other enlargement is smoothed.
bool WholeZoom(const SDL_Rect& picture, SIZE screen) {
  return picture.w % screen.cx == 0 && picture.h % screen.cy == 0 && picture.w / screen.cx == picture.h / screen.cy;
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
  // The shell finds the program's desktop file by the window's app id (Wayland) and
  // WM_CLASS (X11), which SDL reads from the environment. Set here, on the first use of
  // the backend, before the program has started any thread that could read the
  // environment meanwhile; a user's own setting is kept.
  SdlBackend() {
    if (!*WINCE_APP_ID) return;
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", WINCE_APP_ID, 0);
    setenv("SDL_VIDEO_X11_WMCLASS", WINCE_APP_ID, 0);
  }
  ~SdlBackend() override = default;

  bool FullScreenDisplay(SIZE* display) override {
    if (!Start() || !(FullScreenAsked() || HostOnlyFullScreen())) return false;
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(0, &bounds) != 0 || bounds.w <= 0 || bounds.h <= 0) return false;
    *display = SIZE{bounds.w, bounds.h};
    return true;
  }

  bool Open(std::string* reason) override {
    if (Start()) return true;
    *reason = error_;
    return false;
  }

  // The X display without its screen number, or the Wayland socket, of the driver SDL
  // chose (before it has chosen, the one it would take first).
  std::string DisplayName() override {
    const char* driver = started_ ? SDL_GetCurrentVideoDriver() : nullptr;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    bool onX11 = driver ? std::strcmp(driver, "x11") == 0 : x11 && *x11;
    if (onX11) {
      std::string name = x11 ? x11 : "";
      size_t colon = name.rfind(':');
      size_t dot = colon == std::string::npos ? std::string::npos : name.find('.', colon);
      return "x11 " + name.substr(0, dot);
    }
    if (driver && std::strcmp(driver, "wayland") != 0) return driver;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string socket = wayland && *wayland ? wayland : "wayland-0";
    return "wayland " + (socket[0] == '/' ? socket : std::string(runtime ? runtime : "") + "/" + socket);
  }

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
    Uint32 flags = (visible ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN) | SDL_WINDOW_RESIZABLE |
                   SDL_WINDOW_ALLOW_HIGHDPI;
    if (FullScreenAsked() || HostOnlyFullScreen()) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    host.window = SDL_CreateWindow(ToUtf8(title).c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   screen.cx * host.zoom, screen.cy * host.zoom, flags);
    if (!host.window) return;
    if (!SDL_GetWindowSurface(host.window)) {
      host.renderer = SDL_CreateRenderer(host.window, -1, 0);
      if (!host.renderer) {
        SDL_DestroyWindow(host.window);
        return;
      }
    }
    windows_[handle] = host;
  }

  void WindowDestroyed(HWND handle) override {
    HostWindow* host = Find(handle);
    if (!host) return;
    SDL_FreeSurface(host->frame);
    if (host->texture) SDL_DestroyTexture(host->texture);
    if (host->renderer) SDL_DestroyRenderer(host->renderer);
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
    // Presents go out at once; the program paints only when something changed.
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
    // Only the window systems the session names: with DISPLAY alone, a failed X11 start
    // must not end on some other compositor's default Wayland socket, nor on SDL's
    // windowless stand-ins, which only SDL_VIDEODRIVER may ask for.
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    if (!asked || !*asked) {
      const struct {
        const char* variable;
        const char* driver;
      } systems[] = {{"DISPLAY", "x11"}, {"WAYLAND_DISPLAY", "wayland"}};
      std::string drivers;
      for (const auto& system : systems) {
        const char* value = std::getenv(system.variable);
        if (value && *value) drivers += (drivers.empty() ? "" : ",") + std::string(system.driver);
      }
      if (drivers.empty()) {
        failed_ = true;
        error_ = "neither DISPLAY nor WAYLAND_DISPLAY is set";
        return false;
      }
      SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      failed_ = true;  // windows stay in memory, as with the headless backend
      error_ = SDL_GetError();
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
    if (host.renderer) {
      RenderThroughRenderer(host);
      return;
    }
    SDL_Surface* screen = SDL_GetWindowSurface(host.window);
    if (!screen) return;
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
    SDL_Rect source, area;
    if (FrameArea(host, screen->w, screen->h, &source, &area)) {
      if (area.w == source.w && area.h == source.h) SDL_BlitSurface(host.frame, &source, screen, &area);
      else if (WholeZoom(area, SIZE{source.w, source.h}) || screen->format->format != host.frame->format->format)
        SDL_BlitScaled(host.frame, &source, screen, &area);
      else SDL_SoftStretchLinear(host.frame, &source, screen, &area);
    }
    SDL_UpdateWindowSurface(host.window);
  }

  void RenderThroughRenderer(HostWindow& host) {
    int width = 0, height = 0;
    if (SDL_GetRendererOutputSize(host.renderer, &width, &height) != 0) return;
    SDL_SetRenderDrawColor(host.renderer, 0, 0, 0, 255);
    SDL_RenderClear(host.renderer);
    SDL_Rect source, area;
    if (FrameArea(host, width, height, &source, &area)) {
      int w = 0, h = 0;
      if (host.texture) SDL_QueryTexture(host.texture, nullptr, nullptr, &w, &h);
      if (!host.texture || w != host.frame->w || h != host.frame->h) {
        if (host.texture) SDL_DestroyTexture(host.texture);
        host.texture = SDL_CreateTexture(host.renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                         host.frame->w, host.frame->h);
      }
      if (host.texture) {
        SDL_UpdateTexture(host.texture, nullptr, host.frame->pixels, host.frame->pitch);
        bool whole = WholeZoom(area, SIZE{source.w, source.h});
        SDL_SetTextureScaleMode(host.texture, whole ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
        SDL_RenderCopy(host.renderer, host.texture, &source, &area);
      }
    }
    SDL_RenderPresent(host.renderer);
  }

  // Where the last frame's client area goes in an output of the given pixels: the client
  // area sits where the window is on the device's screen; the rest of the screen and the
  // letterbox stay black. False when there is nothing to draw.
  static bool FrameArea(const HostWindow& host, int width, int height, SDL_Rect* source, SDL_Rect* area) {
    if (!host.frame) return false;
    SDL_Rect picture = PictureIn(width, height, host.screen);
    *source = {0, 0, std::min(int(host.shown.right - host.shown.left), host.frame->w),
               std::min(int(host.shown.bottom - host.shown.top), host.frame->h)};
    *area = {picture.x + ToPicture(host.shown.left, picture.w, host.screen.cx),
             picture.y + ToPicture(host.shown.top, picture.h, host.screen.cy),
             ToPicture(source->w, picture.w, host.screen.cx), ToPicture(source->h, picture.h, host.screen.cy)};
    return source->w > 0 && source->h > 0 && area->w > 0 && area->h > 0;
  }

  // A stylus event at a point of the host window, in the device's screen pixels. A press
  // on the letterbox is no press; once pressed on the picture, the stylus stays on the
  // screen's edge when it is dragged past it.
  bool Stylus(HostWindow& host, HostEvent::Kind kind, int x, int y, HostEvent* out) {
    bool inside = false;
    if (!ToScreen(host, x, y, &inside, out)) return false;
    if (kind == HostEvent::kStylusDown) {
      if (!inside) return false;
      host.stylusDown = true;
    } else if (!host.stylusDown) {
      return false;
    } else if (kind == HostEvent::kStylusUp) {
      host.stylusDown = false;
    }
    out->kind = kind;
    return true;
  }

  // A point of the host window in the device's screen pixels, kept on the screen's edge;
  // inside tells whether it lies on the picture.
  static bool ToScreen(HostWindow& host, int x, int y, bool* inside, HostEvent* out) {
    int width = 0, height = 0;
    SDL_GetWindowSize(host.window, &width, &height);
    SDL_Rect picture = PictureIn(width, height, host.screen);
    if (picture.w <= 0 || picture.h <= 0) return false;
    *inside = x >= picture.x && x < picture.x + picture.w && y >= picture.y && y < picture.y + picture.h;
    out->x = std::clamp(int(int64_t(x - picture.x) * host.screen.cx / picture.w), 0, int(host.screen.cx) - 1);
    out->y = std::clamp(int(int64_t(y - picture.y) * host.screen.cy / picture.h), 0, int(host.screen.cy) - 1);
    return true;
  }

  // A finger after the first goes down on or lifts from the picture: a pointer event.
  bool Finger(HostWindow& host, const SDL_TouchFingerEvent& finger, bool down, HostEvent* out) {
    int width = 0, height = 0;
    SDL_GetWindowSize(host.window, &width, &height);
    bool inside = false;
    if (!ToScreen(host, int(finger.x * width), int(finger.y * height), &inside, out)) return false;
    auto known = host.fingers.find(finger.fingerId);
    if (!down) {
      if (known == host.fingers.end()) return false;
      UINT id = known->second;
      host.fingers.erase(known);
      if (id == 0) return false;  // the stylus lifts through SDL's mouse events
      out->kind = HostEvent::kPointerUp;
      out->vk = id;
      return true;
    }
    if (known != host.fingers.end()) return false;
    if (host.fingers.empty()) {
      host.fingers[finger.fingerId] = 0;
      return false;
    }
    if (!inside) return false;
    UINT id = 2;
    for (bool taken = true; taken; ) {
      taken = false;
      for (auto& entry : host.fingers)
        if (entry.second == id) { taken = true; ++id; }
    }
    host.fingers[finger.fingerId] = id;
    out->kind = HostEvent::kPointerDown;
    out->vk = id;
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
      case SDL_FINGERDOWN:
      case SDL_FINGERUP: {
        out.window = FromId(event.tfinger.windowID);
        HostWindow* host = Find(out.window);
        if (!host || !Finger(*host, event.tfinger, event.type == SDL_FINGERDOWN, &out)) return;
        break;
      }
      case SDL_MOUSEWHEEL: {
        // A notch is WHEEL_DELTA; a touchpad's fractions of one are kept. Only over the
        // picture, at the device pixel under the pointer.
        out.window = FromId(event.wheel.windowID);
        HostWindow* host = Find(out.window);
        if (!host) return;
        float notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.preciseY : event.wheel.preciseY;
        int width = 0, height = 0;
        SDL_GetWindowSize(host->window, &width, &height);
        SDL_Rect picture = PictureIn(width, height, host->screen);
        int x = event.wheel.mouseX - picture.x, y = event.wheel.mouseY - picture.y;
        if (x < 0 || y < 0 || x >= picture.w || y >= picture.h) return;
        out.kind = HostEvent::kWheel;
        out.wheel = int(std::lround(notches * 120));
        out.x = int(int64_t(x) * host->screen.cx / picture.w);
        out.y = int(int64_t(y) * host->screen.cy / picture.h);
        if (out.wheel == 0) return;
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
  std::string error_;  // why video could not start
  bool screenSaverOff_ = false;
  std::thread::id guiThread_;
  Uint32 wakeEvent_ = 0;
  std::atomic<bool> wakePending_{false};
  std::map<HWND, HostWindow> windows_;
};

}  // namespace

std::unique_ptr<Backend> MakeSdlBackend() { return std::make_unique<SdlBackend>(); }

}  // namespace wince
