// The SDL backend, run on SDL's dummy video driver: SDL events become window messages.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>

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

}  // namespace
