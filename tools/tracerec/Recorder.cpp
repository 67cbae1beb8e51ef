#include "Recorder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>

#include "gfx/Draw.h"
#include "motion/SensorDriver.h"
#include "motion/ShakeDetector.h"

namespace {

constexpr UINT_PTR kRecordTimer = 1;
constexpr COLORREF kPage = RGB(10, 10, 13);
constexpr COLORREF kGold = RGB(254, 212, 17);
constexpr COLORREF kGrey = RGB(160, 160, 170);
constexpr COLORREF kWhite = RGB(240, 240, 245);

struct Recording {
  const RecordOptions* options;
  SensorDriver driver;
  DWORD opened = 0;
  std::ofstream out;
  SensorSample sample = {};
  DWORD elapsed = 0;
  DWORD rows = 0;
  DWORD lastSecond = 0;
  HFONT big = nullptr, small = nullptr;
};

// The recording of the thread that runs the window (one at a time).
Recording* recording = nullptr;

// The window that StopRecording closes, and whether a stop came before it existed.
std::mutex stopLock;
HWND stopWindow = nullptr;
bool stopRequested = false;

// UTF-8 text (file names) as the layer's UTF-16.
std::u16string Wide(const std::string& text) { return std::filesystem::path(text).u16string(); }

std::string ReadingText(const SensorSample& sample) {
  char text[64];
  std::snprintf(text, sizeof text, "x %6d   y %6d   z %6d", sample.X, sample.Y, sample.Z);
  return text;
}

// One reading, written as a row; a live line when a new second begins.
void ReadRow(Recording& r) {
  r.driver.Read(&r.sample);
  r.elapsed = GetTickCount() - r.opened;
  r.out << r.elapsed << ',' << r.sample.X << ',' << r.sample.Y << ',' << r.sample.Z << '\n';
  ++r.rows;
  const DWORD second = r.elapsed / 1000;
  if (second != r.lastSecond) {
    r.lastSecond = second;
    r.out.flush();  // an interrupted recording keeps all but its last second
    if (r.options->live) {
      std::fprintf(r.options->live, "%5lu s   %s\n", static_cast<unsigned long>(second),
                   ReadingText(r.sample).c_str());
      std::fflush(r.options->live);
    }
  }
}

void Paint(HWND window, const Recording& r) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  HBRUSH page = CreateSolidBrush(kPage);
  FillRect(dc, &client, page);
  DeleteObject(page);
  HFONT big = r.big, small = r.small;
  const LONG w = client.right;
  DrawTextInRect(dc, TEXT("tracerec"), RECT{12, 8, w - 12, 32}, DT_SINGLELINE | DT_VCENTER, kGold, small);
  DrawTextInRect(dc, Wide(ReadingText(r.sample)).c_str(), RECT{12, 36, w - 12, 70},
                 DT_SINGLELINE | DT_VCENTER, kWhite, big);
  char status[64];
  std::snprintf(status, sizeof status, "%.1f s, %lu rows", r.elapsed / 1000.0, static_cast<unsigned long>(r.rows));
  DrawTextInRect(dc, Wide(status).c_str(), RECT{12, 74, w - 12, 96}, DT_SINGLELINE | DT_VCENTER, kGrey, small);
  DrawTextInRect(dc, Wide(r.options->path).c_str(), RECT{12, 96, w - 12, 118},
                 DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS, kGrey, small);
  DrawTextInRect(dc, TEXT("keyboard source: arrow keys and space shake"), RECT{12, 118, w - 12, 140},
                 DT_SINGLELINE | DT_VCENTER, kGrey, small);
  EndPaint(window, &paint);
}

LRESULT CALLBACK RecorderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam != kRecordTimer || !recording) break;
      ReadRow(*recording);
      if (recording->options->durationMs && recording->elapsed >= recording->options->durationMs)
        DestroyWindow(window);
      else
        InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_PAINT:
      if (!recording) break;
      Paint(window, *recording);
      return 0;
    case WM_DESTROY:
      KillTimer(window, kRecordTimer);
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// Why the trace could not be created, from the errno of the failed open.
std::string CreateProblem(const std::string& path, int error) {
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (error == ENOENT && !folder.empty())
    return "cannot write " + path + ": the folder " + folder.string() + " does not exist";
  return "cannot write " + path + (error ? std::string(": ") + std::strerror(error) : "");
}

int Fail(std::string* problem, std::string why) {
  if (problem) *problem = std::move(why);
  return 1;
}

}  // namespace

int RecordTrace(const RecordOptions& options, std::string* problem) {
  Recording r;
  r.options = &options;
  errno = 0;
  r.out.open(options.path);
  if (!r.out) return Fail(problem, CreateProblem(options.path, errno));
  if (!r.driver.Open(1)) return Fail(problem, "cannot open the sensor (HTCSensorSDK beside tracerec)");
  r.opened = GetTickCount();
  const char* source = std::getenv("WINCE_SENSOR");
  r.out << "# recorded by tracerec from the sensor library (WINCE_SENSOR=" << (source ? source : "")
        << "), a row every " << SHAKE_TIMER_MS << " ms\nms,x,y,z\n";
  recording = &r;
  ReadRow(r);
  r.big = CreateSkinFont(TEXT("DejaVu Sans Mono"), 20, true, false, false);
  r.small = CreateSkinFont(TEXT("DejaVu Sans"), 13, false, false, false);

  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = RecorderProc;
  windowClass.lpszClassName = TEXT("TraceRecorder");
  RegisterClassW(&windowClass);
  HWND window = CreateWindowW(TEXT("TraceRecorder"), TEXT("tracerec"), WS_VISIBLE, 0, 0,
                              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                              nullptr, nullptr);
  SetTimer(window, kRecordTimer, SHAKE_TIMER_MS, nullptr);
  {
    std::lock_guard<std::mutex> lock(stopLock);
    stopWindow = window;
    if (stopRequested) PostMessageW(window, WM_CLOSE, 0, 0);
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  {
    std::lock_guard<std::mutex> lock(stopLock);
    stopWindow = nullptr;
    stopRequested = false;
  }
  UnregisterClassW(TEXT("TraceRecorder"), nullptr);
  recording = nullptr;
  DeleteObject(r.big);
  DeleteObject(r.small);
  r.driver.Close();
  r.out.close();
  return r.out ? 0 : Fail(problem, "cannot write " + options.path + " to the end (is the disk full?)");
}

void StopRecording() {
  std::lock_guard<std::mutex> lock(stopLock);
  stopRequested = true;
  if (stopWindow) PostMessageW(stopWindow, WM_CLOSE, 0, 0);
}
