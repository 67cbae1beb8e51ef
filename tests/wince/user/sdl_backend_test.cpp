// The SDL backend, run on SDL's dummy video driver: SDL events become window messages.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "wince/host.h"

#include "recorder.h"

namespace {

std::vector<std::pair<UINT, BOOL>> g_keys;

class UserSdlBackend : public testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("WINCE_HEADLESS", "0", 1);
    recorder::quitOnDestroy = false;
    window_ = recorder::Create();
    ASSERT_NE(window_, nullptr);
    sdlWindow_ = SDL_GetKeyboardFocus();
    if (!sdlWindow_) sdlWindow_ = SDL_GetWindowFromID(1);
    ASSERT_NE(sdlWindow_, nullptr) << "the window is shown through SDL";
    recorder::Pump();
    recorder::log.clear();
  }

  void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1); }

  void Mouse(Uint32 type, int x, int y, Uint8 button, Uint32 state) {
    SDL_Event event = {};
    event.type = type;
    if (type == SDL_MOUSEMOTION) {
      event.motion.windowID = SDL_GetWindowID(sdlWindow_);
      event.motion.x = x;
      event.motion.y = y;
      event.motion.state = state;
    } else {
      event.button.windowID = SDL_GetWindowID(sdlWindow_);
      event.button.button = button;
      event.button.x = x;
      event.button.y = y;
    }
    Push(event);
  }

  void WindowEvent(Uint8 kind) {
    SDL_Event event = {};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = SDL_GetWindowID(sdlWindow_);
    event.window.event = kind;
    Push(event);
  }

  void KeyEvent(Uint32 type, SDL_Keycode key, bool repeat) {
    SDL_Event event = {};
    event.type = type;
    event.key.windowID = SDL_GetWindowID(sdlWindow_);
    event.key.keysym.sym = key;
    event.key.repeat = repeat;
    Push(event);
  }

  HWND window_ = nullptr;
  SDL_Window* sdlWindow_ = nullptr;
};

TEST_F(UserSdlBackend, LeftButtonIsTheStylus) {
  Mouse(SDL_MOUSEMOTION, 5, 5, 0, 0);  // hovering: the stylus is not down
  Mouse(SDL_MOUSEBUTTONDOWN, 30, 40, SDL_BUTTON_LEFT, 0);
  Mouse(SDL_MOUSEMOTION, 31, 42, 0, SDL_BUTTON_LMASK);
  Mouse(SDL_MOUSEBUTTONUP, 32, 43, SDL_BUTTON_LEFT, 0);
  Mouse(SDL_MOUSEBUTTONDOWN, 1, 1, SDL_BUTTON_RIGHT, 0);
  recorder::Pump();
  EXPECT_EQ(recorder::Messages({WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP}),
            (std::vector<UINT>{WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP}));
  EXPECT_EQ(recorder::Entries(WM_LBUTTONDOWN)[0].lParam, MAKELPARAM(30, 40));
  EXPECT_EQ(recorder::Entries(WM_MOUSEMOVE)[0].lParam, MAKELPARAM(31, 42));
  EXPECT_EQ(recorder::Entries(WM_LBUTTONUP)[0].lParam, MAKELPARAM(32, 43));
}

TEST_F(UserSdlBackend, FocusIsActivationAndClosingIsWmClose) {
  WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  WindowEvent(SDL_WINDOWEVENT_CLOSE);
  recorder::Pump();
  auto activations = recorder::Entries(WM_ACTIVATE);
  ASSERT_EQ(activations.size(), 3u);  // the last as the destroyed window loses activation
  EXPECT_EQ(LOWORD(activations[0].wParam), WA_INACTIVE);
  EXPECT_EQ(LOWORD(activations[1].wParam), WA_ACTIVE);
  EXPECT_EQ(LOWORD(activations[2].wParam), WA_INACTIVE);
  EXPECT_EQ(recorder::Entries(WM_CLOSE).size(), 1u);
  EXPECT_FALSE(IsWindow(window_));  // the recorder leaves WM_CLOSE to DefWindowProcW
}

TEST_F(UserSdlBackend, KeysArePostedAndHookedWithoutRepeats) {
  g_keys.clear();
  WinceSetKeyHook([](UINT vk, BOOL down, DWORD) { g_keys.push_back({vk, down}); });
  KeyEvent(SDL_KEYDOWN, SDLK_LEFT, false);
  KeyEvent(SDL_KEYDOWN, SDLK_LEFT, true);
  KeyEvent(SDL_KEYUP, SDLK_LEFT, false);
  KeyEvent(SDL_KEYDOWN, SDLK_F13, false);  // no device key: ignored
  recorder::Pump();
  WinceSetKeyHook(nullptr);
  auto downs = recorder::Entries(WM_KEYDOWN);
  ASSERT_EQ(downs.size(), 2u);
  EXPECT_EQ(downs[0].wParam, static_cast<WPARAM>(VK_LEFT));
  EXPECT_EQ(downs[1].lParam & (1 << 30), 1 << 30);  // auto-repeat: the key was down before
  EXPECT_EQ(recorder::Entries(WM_KEYUP).size(), 1u);
  EXPECT_EQ(g_keys, (std::vector<std::pair<UINT, BOOL>>{{VK_LEFT, TRUE}, {VK_LEFT, FALSE}}));
}

// WINCE_ZOOM scales the window by whole pixels; every host pixel of a device pixel's
// block is that device pixel, and in a window wider than the picture the bars are dead.
class UserSdlZoom : public UserSdlBackend, public testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    setenv("WINCE_ZOOM", std::to_string(GetParam()).c_str(), 1);
    UserSdlBackend::SetUp();
  }
  void Click(int x, int y) {
    Mouse(SDL_MOUSEBUTTONDOWN, x, y, SDL_BUTTON_LEFT, 0);
    Mouse(SDL_MOUSEBUTTONUP, x, y, SDL_BUTTON_LEFT, 0);
  }
  static std::vector<LPARAM> Points(UINT message) {
    std::vector<LPARAM> points;
    for (const auto& entry : recorder::Entries(message)) points.push_back(entry.lParam);
    return points;
  }
};

TEST_P(UserSdlZoom, WindowIsTheZoomedScreenAndPointsMapBackExactly) {
  const int zoom = GetParam();
  int width = 0, height = 0;
  SDL_GetWindowSize(sdlWindow_, &width, &height);
  EXPECT_EQ(width, 480 * zoom);
  EXPECT_EQ(height, 640 * zoom);

  const POINT pixels[] = {{0, 0}, {479, 639}, {123, 456}, {240, 320}};
  std::vector<LPARAM> expected;
  for (POINT p : pixels) {
    for (int inside : {0, zoom - 1}) {
      Click(p.x * zoom + inside, p.y * zoom + inside);
      expected.push_back(MAKELPARAM(p.x, p.y));
    }
  }
  recorder::Pump();
  EXPECT_EQ(Points(WM_LBUTTONDOWN), expected);
  EXPECT_EQ(Points(WM_LBUTTONUP), expected);

  // 100 host pixels of black on either side of the picture.
  SDL_SetWindowSize(sdlWindow_, 480 * zoom + 200, 640 * zoom);
  recorder::Pump();
  recorder::log.clear();
  Click(50, 10);
  Click(480 * zoom + 150, 10);
  Mouse(SDL_MOUSEBUTTONDOWN, 100 + 5 * zoom, 7 * zoom, SDL_BUTTON_LEFT, 0);
  Mouse(SDL_MOUSEMOTION, 20, 7 * zoom, 0, SDL_BUTTON_LMASK);  // dragged off: the screen's edge
  Mouse(SDL_MOUSEBUTTONUP, 20, 7 * zoom, SDL_BUTTON_LEFT, 0);
  recorder::Pump();
  EXPECT_EQ(Points(WM_LBUTTONDOWN), std::vector<LPARAM>{MAKELPARAM(5, 7)});
  EXPECT_EQ(Points(WM_MOUSEMOVE), std::vector<LPARAM>{MAKELPARAM(0, 7)});
  EXPECT_EQ(Points(WM_LBUTTONUP), std::vector<LPARAM>{MAKELPARAM(0, 7)});
}

INSTANTIATE_TEST_SUITE_P(Zooms, UserSdlZoom, testing::Values(1, 2, 3));

}  // namespace
