// Window classes, windows, activation, metrics, display orientation and painting.
#include <gtest/gtest.h>

#include "wince/testdriver.h"

#include <aygshell.h>

#include "recorder.h"

namespace {

using wince::test::Driver;
using wince::test::Options;
using wince::test::VirtualClock;

class UserWindows : public testing::Test {
 protected:
  void SetUp() override { recorder::log.clear(); }
};

TEST_F(UserWindows, ClassesAreRegisteredOnceAndFoundWithoutRegardToCase) {
  ASSERT_TRUE(recorder::Register());
  WNDCLASSW again = {};
  again.lpfnWndProc = recorder::Proc;
  again.lpszClassName = TEXT("RECORDER");
  EXPECT_EQ(RegisterClassW(&again), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
  EXPECT_EQ(CreateWindowExW(0, TEXT("Nobody"), TEXT(""), 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
            nullptr);
  HWND window = CreateWindowExW(0, TEXT("recorder"), TEXT("Title"), 0, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(UnregisterClassW(TEXT("Recorder"), nullptr));  // still has a window
  EXPECT_EQ(FindWindowW(TEXT("RECORDER"), TEXT("Title")), window);
  EXPECT_EQ(FindWindowW(TEXT("Recorder"), TEXT("Other")), nullptr);
  EXPECT_TRUE(DestroyWindow(window));
  WNDCLASSW other = again;
  other.lpszClassName = TEXT("Other");
  ATOM otherAtom = RegisterClassW(&other);
  EXPECT_GE(otherAtom, 0xC000);
  EXPECT_TRUE(UnregisterClassW(TEXT("Recorder"), nullptr));
  // An atom stays with its class: a class registered after another went gets a new one.
  other.lpszClassName = TEXT("Third");
  ATOM thirdAtom = RegisterClassW(&other);
  EXPECT_NE(thirdAtom, 0);
  EXPECT_NE(thirdAtom, otherAtom);
}

TEST_F(UserWindows, CreationSendsCreateWithItsParametersAndCoversTheScreen) {
  VirtualClock clock;
  int parameter = 5;
  ASSERT_TRUE(recorder::Register());
  HWND window = CreateWindowExW(0, TEXT("Recorder"), TEXT("T"), WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, &parameter);
  ASSERT_NE(window, nullptr);
  auto creates = recorder::Entries(WM_CREATE);
  ASSERT_EQ(creates.size(), 1u);
  EXPECT_EQ(recorder::log.front().message, static_cast<UINT>(WM_CREATE));
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(GetForegroundWindow(), window);
  auto activations = recorder::Entries(WM_ACTIVATE);
  ASSERT_EQ(activations.size(), 1u);
  EXPECT_EQ(LOWORD(activations[0].wParam), WA_ACTIVE);
  DestroyWindow(window);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(GetForegroundWindow(), nullptr);
}

TEST_F(UserWindows, MinimisingDeactivatesAndRaisingActivatesAgain) {
  VirtualClock clock;
  HWND window = recorder::Create();
  recorder::log.clear();
  ShowWindow(window, SW_MINIMIZE);
  EXPECT_EQ(GetForegroundWindow(), nullptr);
  SetForegroundWindow(window);
  EXPECT_EQ(GetForegroundWindow(), window);
  ShowWindow(window, SW_SHOW);  // already active: nothing more
  auto activations = recorder::Entries(WM_ACTIVATE);
  ASSERT_EQ(activations.size(), 2u);
  EXPECT_EQ(LOWORD(activations[0].wParam), WA_INACTIVE);
  EXPECT_EQ(LOWORD(activations[1].wParam), WA_ACTIVE);
  DestroyWindow(window);
}

// A minimise is the host's to carry out: until its window manager has iconified the
// window, the window stays shown and painted, and a tap makes it the active one again.
TEST_F(UserWindows, AWindowIsIconicOnlyOnceTheHostHasIconifiedIt) {
  Driver driver;
  driver.Start(recorder::WinMain);
  HWND window = driver.Window();
  auto paintsAfterInvalidate = [&] {
    recorder::log.clear();
    InvalidateRect(window, nullptr, FALSE);
    driver.WaitIdle();
    return recorder::Entries(WM_PAINT).size();
  };
  recorder::log.clear();
  ShowWindow(window, SW_MINIMIZE);
  driver.WaitIdle();
  EXPECT_EQ(GetForegroundWindow(), nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(recorder::Entries(WM_SIZE).empty());
  EXPECT_EQ(paintsAfterInvalidate(), 1u);
  recorder::log.clear();
  driver.Tap(10, 10);
  EXPECT_EQ(GetForegroundWindow(), window);
  EXPECT_EQ(recorder::Messages({WM_ACTIVATE, WM_LBUTTONDOWN, WM_LBUTTONUP}),
            (std::vector<UINT>{WM_ACTIVATE, WM_LBUTTONDOWN, WM_LBUTTONUP}));

  recorder::log.clear();
  driver.HostIconify(true);
  auto sizes = recorder::Entries(WM_SIZE);
  ASSERT_EQ(sizes.size(), 1u);
  EXPECT_EQ(sizes[0].wParam, static_cast<WPARAM>(SIZE_MINIMIZED));
  EXPECT_EQ(paintsAfterInvalidate(), 0u);
  recorder::log.clear();
  driver.HostIconify(false);
  EXPECT_EQ(recorder::Messages({WM_SIZE, WM_PAINT}), (std::vector<UINT>{WM_SIZE, WM_PAINT}));
  EXPECT_EQ(recorder::Entries(WM_SIZE)[0].wParam, static_cast<WPARAM>(SIZE_RESTORED));
  driver.Close();
  EXPECT_EQ(driver.WaitForExit(), 0);
}

TEST_F(UserWindows, MoveWindowResizesAndRepaints) {
  VirtualClock clock;
  HWND window = recorder::Create();
  recorder::Pump();
  recorder::log.clear();
  EXPECT_TRUE(MoveWindow(window, 0, 52, 480, 588, FALSE));
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 480);
  EXPECT_EQ(client.bottom, 588);
  auto sizes = recorder::Entries(WM_SIZE);
  ASSERT_EQ(sizes.size(), 1u);
  EXPECT_EQ(sizes[0].lParam, MAKELPARAM(480, 588));
  recorder::Pump();  // CS_HREDRAW | CS_VREDRAW: a new size repaints
  EXPECT_EQ(recorder::Entries(WM_PAINT).size(), 1u);
  DestroyWindow(window);
}

// The host shows no device taskbar.
TEST_F(UserWindows, WorkAreaIsTheWholeScreen) {
  Options options;
  options.width = 480;
  options.height = 800;
  options.dpi = 96;
  Driver driver(options);
  RECT area;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0));
  EXPECT_EQ(area.left, 0);
  EXPECT_EQ(area.top, 0);
  EXPECT_EQ(area.right, 480);
  EXPECT_EQ(area.bottom, 800);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 480);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 800);
}

LONG Orientation(DWORD fields, DWORD flags, DWORD* value) {
  DEVMODEW mode = {};
  mode.dmSize = 192;
  mode.dmFields = fields;
  mode.dmDisplayOrientation = *value;
  LONG result = ChangeDisplaySettingsEx(nullptr, &mode, nullptr, flags, nullptr);
  *value = mode.dmDisplayOrientation;
  return result;
}

TEST_F(UserWindows, DisplayOrientationRoundTripAndTheWindowFollows) {
  Driver driver;  // 480 x 640 at 192 dpi
  driver.Start(recorder::WinMain);
  HWND window = driver.Window();
  DWORD value = 0;
  EXPECT_EQ(Orientation(DM_DISPLAYQUERYORIENTATION, CDS_TEST, &value), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(value, static_cast<DWORD>(DMDO_0 | DMDO_90 | DMDO_180 | DMDO_270));
  EXPECT_EQ(Orientation(DM_DISPLAYORIENTATION, CDS_TEST, &value), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(value, static_cast<DWORD>(DMDO_0));

  value = DMDO_90;
  EXPECT_EQ(Orientation(DM_DISPLAYORIENTATION, CDS_RESET, &value), DISP_CHANGE_SUCCESSFUL);
  driver.WaitIdle();
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 480);
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.right, 640);
  EXPECT_EQ(rect.bottom, 480);
  EXPECT_EQ(recorder::Entries(WM_SIZE).back().lParam, MAKELPARAM(640, 480));
  value = 0;
  EXPECT_EQ(Orientation(DM_DISPLAYORIENTATION, CDS_TEST, &value), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(value, static_cast<DWORD>(DMDO_90));

  value = 3;  // no such orientation
  EXPECT_EQ(Orientation(DM_DISPLAYORIENTATION, CDS_RESET, &value), DISP_CHANGE_BADMODE);
  value = DMDO_0;
  EXPECT_EQ(Orientation(DM_DISPLAYORIENTATION, CDS_RESET, &value), DISP_CHANGE_SUCCESSFUL);
  driver.WaitIdle();
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.right, 480);
  EXPECT_EQ(rect.bottom, 640);

  DEVMODEW small = {};
  small.dmSize = 100;
  small.dmFields = DM_DISPLAYORIENTATION;
  EXPECT_EQ(ChangeDisplaySettingsEx(nullptr, &small, nullptr, CDS_TEST, nullptr), DISP_CHANGE_BADPARAM);
}

LRESULT CALLBACK RedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT square = {10, 10, 20, 20};
  FillRect(dc, &square, red);
  DeleteObject(red);
  EndPaint(window, &paint);
  return 0;
}

int WINAPI RedMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = RedProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = TEXT("Red");
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, TEXT("Red"), TEXT("Red"), WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  SHFullScreen(window, SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
  return static_cast<int>(msg.wParam);
}

TEST_F(UserWindows, PaintingDrawsOnTheWindowSurface) {
  Driver driver;
  driver.Start(RedMain);
  EXPECT_EQ(driver.Pixel(10, 10), RGB(255, 0, 0));
  EXPECT_EQ(driver.Pixel(19, 19), RGB(255, 0, 0));
  EXPECT_EQ(driver.Pixel(20, 20), RGB(0, 0, 0));
  EXPECT_EQ(driver.Pixel(480, 0), CLR_INVALID);
  EXPECT_EQ(driver.FullScreenState(), 42u);
  // The screen's DC is the window's surface and reports the screen's dpi.
  HDC screen = GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 192);
  EXPECT_EQ(GetPixel(screen, 15, 15), RGB(255, 0, 0));
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
  EXPECT_EQ(ReleaseDC(nullptr, screen), 0);
}

TEST_F(UserWindows, DefaultProcedureErasesWithTheClassBrush) {
  VirtualClock clock;
  HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hbrBackground = white;
  windowClass.lpszClassName = TEXT("Plain");
  ASSERT_NE(RegisterClassW(&windowClass), 0);
  HWND window = CreateWindowExW(0, TEXT("Plain"), TEXT("Plain"), WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
  recorder::Pump();
  HDC dc = GetDC(window);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 479, 639), RGB(255, 255, 255));
  ReleaseDC(window, dc);
  DestroyWindow(window);
  DeleteObject(white);
}

TEST_F(UserWindows, ADcKeptPastDestroyWindowStillDrawsSafely) {
  VirtualClock clock;
  recorder::quitOnDestroy = false;
  HWND window = recorder::Create();
  HDC dc = GetDC(window);
  ASSERT_NE(dc, nullptr);
  EXPECT_TRUE(DestroyWindow(window));
  RECT all = {0, 0, 480, 640};
  HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
  EXPECT_TRUE(FillRect(dc, &all, white));
  EXPECT_EQ(GetPixel(dc, 479, 639), RGB(255, 255, 255));
  DeleteObject(white);
  EXPECT_EQ(ReleaseDC(window, dc), 1);
  recorder::quitOnDestroy = true;
}

TEST_F(UserWindows, DefaultProcedureClosesByDestroying) {
  VirtualClock clock;
  recorder::quitOnDestroy = false;
  HWND window = recorder::Create();
  EXPECT_EQ(DefWindowProcW(window, WM_USER, 1, 2), 0);
  EXPECT_EQ(SendMessageW(window, WM_CLOSE, 0, 0), 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(recorder::Messages({WM_CLOSE, WM_DESTROY}), (std::vector<UINT>{WM_CLOSE, WM_DESTROY}));
  EXPECT_FALSE(PostMessageW(window, WM_USER, 0, 0));
  recorder::quitOnDestroy = true;
}

}  // namespace
