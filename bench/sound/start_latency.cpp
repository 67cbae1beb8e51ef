// How soon a sound reaches the audio device and what playing costs in memory.
//
// Usage: sound_start_latency <file.wav>...
// For each file, 20 times while the device is warm (open from the sound before) and 7
// times after idle (the player has closed the stream, so the sound opens it again): the
// time from PlaySound until the player has the first block ready (the request is handled)
// and until the device's callback has taken the sound's first frames; prints the medians. Then, with the last file playing for 5 seconds, the
// resident memory against the same process idle. Runs on the real audio path: SDL's
// "dummy" driver (a callback every device period, no sound card) unless SDL_AUDIODRIVER
// names another.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <mmsystem.h>
#include <windows.h>
#include <wince/soundsink.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr DWORD kFlags = SND_FILENAME | SND_ASYNC | SND_NODEFAULT;
constexpr int kRuns = 20;
constexpr int kIdleRuns = 7;  // each waits for the stream to close, a few seconds

std::u16string DevicePath(const std::string& host) {
  std::u16string path;
  for (char c : host) path += c == '/' ? u'\\' : char16_t(c);
  return path;
}

long ResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return 0;
}

int Threads() {
  int threads = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task")) threads += entry.is_directory();
  return threads;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return (values[(values.size() - 1) / 2] + values[values.size() / 2]) / 2;
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct Timing {
  std::vector<double> ready, device;
};

// The sound's first frames have been taken by the device: polled every 50 us.
void WaitFirstFrames() {
  for (;;) {
    std::vector<wince::test::SoundPlay> plays = wince::test::SoundPlays();
    if (!plays.empty() && (plays.back().frames > 0 || !plays.back().playable)) return;
    std::this_thread::sleep_for(std::chrono::microseconds(50));
  }
}

// One play of path: how long until the request was handled and until the device took it.
void TimePlay(const std::u16string& path, int run, Timing* timing) {
  // A random phase against the device's period, as a user's touch would have.
  std::this_thread::sleep_for(std::chrono::microseconds(1000 + 997 * run % 11000));
  Clock::time_point start = Clock::now();
  PlaySound(path.c_str(), nullptr, kFlags);
  wince::test::WaitSoundIdle();
  timing->ready.push_back(Ms(Clock::now() - start));
  WaitFirstFrames();
  timing->device.push_back(Ms(Clock::now() - start));
}

void Stop() {
  PlaySound(nullptr, nullptr, 0);
  wince::test::WaitSoundIdle();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <file.wav>...\n", argv[0]);
    return 2;
  }
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  // Starts the player's thread and opens the device, so that no measured call pays for it.
  Stop();
  std::printf("%-28s %12s %12s %12s %12s\n", "file", "warm ready", "warm device", "idle ready", "idle device");
  for (int i = 1; i < argc; ++i) {
    const std::u16string path = DevicePath(argv[i]);
    Timing warm, idle;
    for (int run = 0; run < kRuns; ++run) {
      Stop();
      TimePlay(path, run, &warm);
    }
    for (int run = 0; run < kIdleRuns; ++run) {
      Stop();
      while (wince::test::SoundStreamOpen()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
      TimePlay(path, run, &idle);
    }
    std::string name = argv[i];
    name = name.substr(name.find_last_of('/') + 1);
    std::printf("%-28s %12.2f %12.2f %12.2f %12.2f\n", name.c_str(), Median(warm.ready), Median(warm.device),
                Median(idle.ready), Median(idle.device));
  }
  // A closed stream has no audio thread left writing to the host.
  int openThreads = Threads();
  Stop();
  Clock::time_point quiet = Clock::now();
  while (wince::test::SoundStreamOpen()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::printf("stream closed %.0f ms after the last sound; threads %d while open, %d closed\n", Ms(Clock::now() - quiet),
              openThreads, Threads());
  long idle = ResidentKb();
  PlaySound(DevicePath(argv[argc - 1]).c_str(), nullptr, kFlags);
  std::this_thread::sleep_for(std::chrono::seconds(5));
  long playing = ResidentKb();
  std::vector<wince::test::SoundPlay> plays = wince::test::SoundPlays();
  std::printf("resident: idle %ld kB, playing %s for 5 s %ld kB (+%ld kB), %llu frames played\n", idle,
              argv[argc - 1], playing, playing - idle, (unsigned long long)(plays.empty() ? 0 : plays.back().frames));
  Stop();
  return 0;
}
