// The test driver itself: idle detection, stepping virtual time, screenshots.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "wince/testdriver.h"

#include <windows.h>

namespace {

using wince::test::Driver;
using wince::test::VirtualClock;

std::vector<DWORD> g_ticks;

DWORD WINAPI Ticker(LPVOID) {
  // Sleeps and waits mixed: each step happens at its exact virtual time.
  HANDLE never = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  for (int i = 0; i < 3; ++i) {
    Sleep(30);
    g_ticks.push_back(GetTickCount());
    WaitForSingleObject(never, 15);
    g_ticks.push_back(GetTickCount());
  }
  CloseHandle(never);
  return 0;
}

TEST(TestDriver, AdvanceTimeStopsAtEveryDueEventInOrder) {
  VirtualClock clock(0);
  g_ticks.clear();
  HANDLE thread = CreateThread(nullptr, 0, Ticker, nullptr, 0, nullptr);
  clock.AdvanceTime(100);
  EXPECT_EQ(g_ticks, (std::vector<DWORD>{30, 45, 75, 90}));
  EXPECT_EQ(WaitForSingleObject(thread, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  clock.AdvanceTime(35);
  EXPECT_EQ(g_ticks, (std::vector<DWORD>{30, 45, 75, 90, 120, 135}));
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
  CloseHandle(thread);
}

DWORD WINAPI Blocked(LPVOID event) {
  WaitForSingleObject(static_cast<HANDLE>(event), INFINITE);
  g_ticks.push_back(GetTickCount());
  return 0;
}

TEST(TestDriver, IdleOnlyWhenEveryTrackedThreadIsBlocked) {
  VirtualClock clock;
  g_ticks.clear();
  HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  HANDLE first = CreateThread(nullptr, 0, Blocked, event, 0, nullptr);
  HANDLE second = CreateThread(nullptr, 0, Blocked, event, 0, nullptr);
  ASSERT_TRUE(clock.WaitIdle());
  EXPECT_TRUE(g_ticks.empty());
  SetEvent(event);  // an auto-reset event releases exactly one of them
  ASSERT_TRUE(clock.WaitIdle());
  EXPECT_EQ(g_ticks.size(), 1u);
  SetEvent(event);
  ASSERT_TRUE(clock.WaitIdle());
  EXPECT_EQ(g_ticks.size(), 2u);
  CloseHandle(first);
  CloseHandle(second);
  CloseHandle(event);
}

LRESULT CALLBACK BlueProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(dc, &paint.rcPaint, blue);
    DeleteObject(blue);
    EndPaint(window, &paint);
    return 0;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

int WINAPI BlueMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = BlueProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = TEXT("Blue");
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, TEXT("Blue"), TEXT("Blue"), 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
  return 3;
}

TEST(TestDriver, RunsWinMainAndTakesScreenshots) {
  wince::test::Options options;
  options.width = 64;
  options.height = 48;
  Driver driver(options);
  driver.Start(BlueMain);
  EXPECT_FALSE(driver.Exited());
  wince::test::Frame frame = driver.Snapshot();
  ASSERT_EQ(frame.width, 64);
  ASSERT_EQ(frame.height, 48);
  EXPECT_EQ(frame.At(63, 47), 0x0000FFu);
  EXPECT_EQ(driver.Pixel(0, 0), RGB(0, 0, 255));

  std::string path = (std::filesystem::temp_directory_path() / "wince_driver_test.png").string();
  ASSERT_TRUE(driver.SavePng(path));
  FILE* file = std::fopen(path.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  unsigned char signature[8] = {};
  EXPECT_EQ(std::fread(signature, 1, 8, file), 8u);
  std::fclose(file);
  std::filesystem::remove(path);
  EXPECT_EQ(signature[1], 'P');
  EXPECT_EQ(signature[2], 'N');
  EXPECT_EQ(signature[3], 'G');

  driver.Close();
  EXPECT_EQ(driver.WaitForExit(), 3);
  EXPECT_TRUE(driver.Exited());
}

}  // namespace
