// The emulated screen: size, dpi, orientation, work area and full-screen state.
#include "user/display.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "backend/backend.h"
#include "kernel/handle.h"
#include "user/state.h"

#include <aygshell.h>

namespace wince {
namespace {

constexpr int kScreenWidth = 480;
constexpr int kMinScreenHeight = 640;

// The device is a portrait phone of the 480-pixel-wide kind: a narrower or a landscape
// screen is not one it can be.
bool ServedScreen(int width, int height) { return width >= kScreenWidth && height >= width; }

// A screen of the host display's shape: 480 wide, as tall as the display's aspect gives
// and no shorter than 640. A landscape display keeps the portrait screen.
SIZE ShapedScreen(SIZE display) {
  int64_t height = int64_t(kScreenWidth) * display.cy / display.cx;
  return SIZE{kScreenWidth, int(std::clamp<int64_t>(height, kMinScreenHeight, 8192))};
}

DisplayConfig FromEnvironment() {
  DisplayConfig config{kScreenWidth, kMinScreenHeight, 192};
  SIZE display;
  if (const char* screen = std::getenv("WINCE_SCREEN")) {
    int width = 0, height = 0;
    if (std::sscanf(screen, "%dx%d", &width, &height) == 2 && width > 0 && height > 0 &&
        width <= 8192 && height <= 8192) {
      if (ServedScreen(width, height)) {
        config.width = width;
        config.height = height;
      } else {
        std::fprintf(stderr, "WINCE_SCREEN=%s ignored: the screen must be at least %d pixels wide and no wider than tall; using %dx%d\n",
                     screen, kScreenWidth, config.width, config.height);
      }
    }
  } else if (TheBackend().FullScreenDisplay(&display)) {
    SIZE shaped = ShapedScreen(display);
    config.width = shaped.cx;
    config.height = shaped.cy;
  }
  if (const char* dpi = std::getenv("WINCE_DPI")) {
    int value = std::atoi(dpi);
    if (value >= 48 && value <= 960) config.dpi = value;
  }
  return config;
}

DisplayConfig& Config() {
  static DisplayConfig config = FromEnvironment();
  return config;
}

constexpr DWORD kAllOrientations = DMDO_0 | DMDO_90 | DMDO_180 | DMDO_270;

bool ValidOrientation(DWORD orientation) {
  return orientation == DMDO_0 || orientation == DMDO_90 || orientation == DMDO_180 ||
         orientation == DMDO_270;
}

// Windows that covered the screen (the work area) keep doing so in the new orientation.
void FollowOrientation(const RECT& oldScreen) {
  std::vector<std::pair<HWND, RECT>> moves;
  {
    auto lock = LockKernel();
    SIZE screen = ScreenSize();
    for (auto& [handle, window] : User().windows) {
      window->surface.width = screen.cx;
      window->surface.height = screen.cy;
      window->surface.stride = screen.cx;
      const RECT& r = window->rect;
      if (EqualRect(&r, &oldScreen)) moves.push_back({handle, RECT{0, 0, screen.cx, screen.cy}});
    }
  }
  for (auto& [handle, r] : moves) {
    TheBackend().ScreenResized(handle);
    MoveWindow(handle, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  }
}

}  // namespace

const DisplayConfig& Display() { return Config(); }

void SetDisplay(const DisplayConfig& config) { Config() = config; }

}  // namespace wince

using namespace wince;

int GetSystemMetrics(int index) {
  auto lock = LockKernel();
  SIZE screen = ScreenSize();
  switch (index) {
    case SM_CXSCREEN: return screen.cx;
    case SM_CYSCREEN: return screen.cy;
    default: return 0;
  }
}

BOOL SystemParametersInfoW(UINT action, UINT, PVOID value, UINT) {
  if (action == SPI_GETWHEELSCROLLLINES && value) {
    *static_cast<UINT*>(value) = 3;  // Windows' own setting
    return TRUE;
  }
  if (action != SPI_GETWORKAREA || !value) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto lock = LockKernel();
  *static_cast<RECT*>(value) = WorkArea();
  return TRUE;
}

LONG ChangeDisplaySettingsExW(LPCWSTR deviceName, LPDEVMODEW mode, HWND, DWORD flags, LPVOID) {
  if (deviceName || !mode || mode->dmSize < sizeof(DEVMODEW)) return DISP_CHANGE_BADPARAM;
  bool test = flags & CDS_TEST;
  if (mode->dmFields & DM_DISPLAYQUERYORIENTATION) {
    if (!test) return DISP_CHANGE_BADFLAGS;
    mode->dmDisplayOrientation = kAllOrientations;
    return DISP_CHANGE_SUCCESSFUL;
  }
  if (!(mode->dmFields & DM_DISPLAYORIENTATION)) return DISP_CHANGE_BADMODE;
  RECT oldScreen;
  {
    auto lock = LockKernel();
    UserState& user = User();
    if (test) {
      mode->dmDisplayOrientation = user.orientation;
      return DISP_CHANGE_SUCCESSFUL;
    }
    if (!ValidOrientation(mode->dmDisplayOrientation)) return DISP_CHANGE_BADMODE;
    if (mode->dmDisplayOrientation == user.orientation) return DISP_CHANGE_SUCCESSFUL;
    SIZE screen = ScreenSize();
    oldScreen = RECT{0, 0, screen.cx, screen.cy};
    user.orientation = mode->dmDisplayOrientation;
  }
  FollowOrientation(oldScreen);
  return DISP_CHANGE_SUCCESSFUL;
}

BOOL SHFullScreen(HWND handle, DWORD state) {
  auto lock = LockKernel();
  std::shared_ptr<Window> window = FindLocalWindow(handle);
  if (!window) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  window->fullScreenState = state;
  return TRUE;
}
