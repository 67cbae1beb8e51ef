#include "app/MainWindow.h"

#include "app/AppGlobals.h"
#include "app/AppResources.h"
#include "app/BackBuffers.h"
#include "app/Commands.h"
#include "app/DataBinding.h"
#include "app/Display.h"
#include "app/Pages.h"
#include "app/StartUp.h"
#include "gfx/Skin.h"
#include "motion/SensorDriver.h"
#include "sound/Settings.h"
#include "sound/SoundBank.h"
#include "touchui/TouchControl.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand) {
  if (!InitInstance(instance, showCommand)) return 0;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return int(msg.wParam);
}

static AppResources* LoadAppResources(HINSTANCE instance) {
  AppResources* resources = new AppResources(instance);
  AppGlobals::Resources.store(resources, std::memory_order_release);
  resources->Load();
  return resources;
}

static bool RegisterMainWindowClass(HINSTANCE instance, const AppResources* resources) {
  WNDCLASSW windowClass = {};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = WndProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = resources ? resources->Icon : nullptr;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = MAIN_WINDOW_CLASS;
  return RegisterClassW(&windowClass) != 0;
}

BOOL InitInstance(HINSTANCE instance, int showCommand) {
  AppGlobals::Instance.store(instance, std::memory_order_release);

  // A second start hands the focus to the running instance; the low bit also brings
  // the windows it owns to the front.
  HWND running = FindWindowW(MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE);
  if (running) {
    SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<ULONG_PTR>(running) | 1));
    return FALSE;
  }

  AppResources* resources = LoadAppResources(instance);
  if (!RegisterMainWindowClass(instance, resources)) return FALSE;

  HWND window = CreateWindowExW(0, MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE, WS_VISIBLE, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance,
                                nullptr);
  AppGlobals::MainWindow.store(window, std::memory_order_release);
  if (!window) return FALSE;

  CreateBackBuffers(window);
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  return TRUE;
}

static void OnActivate(HWND window, WPARAM state) {
  if (state == WA_ACTIVE || state == WA_CLICKACTIVE) {
    SetFullScreen(window, true);
    AppGlobals::SavedOrientation = GetDisplayOrientation();
    SetDisplayOrientation(DMDO_0);
    return;
  }
  // Motion cannot run during loading, and the loading thread still writes the widgets.
  if (!AppGlobals::Loading.load(std::memory_order_acquire)) SwitchMotionOff();
  SetFullScreen(window, false);
  // No orientation was read at the last activation: there is nothing to restore.
  if (AppGlobals::SavedOrientation >= 0) SetDisplayOrientation(AppGlobals::SavedOrientation);
}

// A close asked for during loading, carried out once loading has ended: the loading
// thread still builds the objects that closing would release.
static bool CloseDeferred = false;

static LRESULT OnClose(HWND window, WPARAM wParam, LPARAM lParam) {
  if (AppGlobals::Loading.load(std::memory_order_acquire)) {
    CloseDeferred = true;
    return 0;
  }
  SaveUIToSettings();
  if (Settings* settings = Get(AppGlobals::TheSettings)) settings->Save();
  return DefWindowProcW(window, WM_CLOSE, wParam, lParam);
}

static void OnLoadingDone(HWND window) {
  if (!CloseDeferred) return;
  CloseDeferred = false;
  PostMessageW(window, WM_CLOSE, 0, 0);
}

static void OnDestroy() {
  if (SensorDriver* sensor = AppGlobals::Sensor.load(std::memory_order_acquire)) sensor->Close();
  if (SoundBank* bank = AppGlobals::Bank.load(std::memory_order_acquire)) bank->Clear();
  if (Skin* skin = AppGlobals::TheSkin.load(std::memory_order_acquire)) skin->ReleaseSkin();
  if (AppResources* resources = AppGlobals::Resources.load(std::memory_order_acquire)) resources->Release();
  DeleteBackBuffers();
  PostQuitMessage(0);
}

// Stylus coordinates are the low and high words of lParam, both unsigned. No touch
// reaches a widget while the loading thread may still be writing the widgets.
static void OnStylus(UINT message, LPARAM lParam) {
  TouchPanel* root = AppGlobals::RootPanel.load(std::memory_order_acquire);
  if (!root || AppGlobals::Loading.load(std::memory_order_acquire)) return;
  HWND window = AppGlobals::MainWindow.load(std::memory_order_acquire);
  int x = LOWORD(lParam), y = HIWORD(lParam);
  if (message == WM_LBUTTONDOWN) root->DispatchMouseDown(window, x, y);
  else if (message == WM_LBUTTONUP) root->DispatchMouseUp(window, x, y);
  else root->DispatchMouseMove(window, x, y);
}

// A finger after the first: its pointer id, and its point in screen coordinates.
static void OnPointer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TouchPanel* root = AppGlobals::RootPanel.load(std::memory_order_acquire);
  if (!root || AppGlobals::Loading.load(std::memory_order_acquire)) return;
  POINT point = {short(LOWORD(lParam)), short(HIWORD(lParam))};
  ScreenToClient(window, &point);
  UINT pointer = GET_POINTERID_WPARAM(wParam);
  if (message == WM_POINTERDOWN) root->DispatchPointerDown(window, pointer, point.x, point.y);
  else root->DispatchPointerUp(window, pointer, point.x, point.y);
}

// The wheel's pointer comes in screen coordinates.
static void OnMouseWheel(HWND window, WPARAM wParam, LPARAM lParam) {
  TouchPanel* root = AppGlobals::RootPanel.load(std::memory_order_acquire);
  if (!root || AppGlobals::Loading.load(std::memory_order_acquire)) return;
  POINT point = {short(LOWORD(lParam)), short(HIWORD(lParam))};
  ScreenToClient(window, &point);
  root->DispatchMouseWheel(window, point.x, point.y, GET_WHEEL_DELTA_WPARAM(wParam));
}

LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(window);
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_SIZE:
    case WM_ERASEBKGND:
    case WM_KEYDOWN:
      return 0;
    case WM_ACTIVATE:
      OnActivate(window, wParam);
      return 0;
    case WM_PAINT:
      return OnPaint(window);
    case WM_CLOSE:
      return OnClose(window, wParam, lParam);
    case WM_LOADING_DONE:
      OnLoadingDone(window);
      return 0;
    case WM_COMMAND:
      return OnCommand(window, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
      OnStylus(message, lParam);
      return 0;
    case WM_POINTERDOWN:
    case WM_POINTERUP:
      OnPointer(window, message, wParam, lParam);
      return 0;
    case WM_MOUSEWHEEL:
      OnMouseWheel(window, wParam, lParam);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
