// PlaySound's call time with a 50 MB WAV file: the call only queues the request, so it
// must return in well under a millisecond whatever the file's size. Runs headless (the
// silent sink), with the file generated in a temporary folder.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <mmsystem.h>
#include <windows.h>
#include <wince/soundsink.h>

namespace {

constexpr DWORD kFlags = SND_FILENAME | SND_ASYNC | SND_NODEFAULT;

template <class T>
void Put(std::ofstream& out, T value) {
  out.write(reinterpret_cast<const char*>(&value), sizeof value);
}

// 16-bit stereo at 44100 Hz, 50 MB of samples (close to five minutes).
struct LargeWav {
  std::string host;
  std::u16string device;

  LargeWav() {
    setenv("WINCE_HEADLESS", "1", 1);
    host = "/tmp/wince_playsound_bench_" + std::to_string(getpid()) + ".wav";
    const uint32_t dataBytes = 50u << 20;
    std::ofstream out(host, std::ios::binary);
    out.write("RIFF", 4);
    Put<uint32_t>(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    Put<uint32_t>(out, 16);
    Put<uint16_t>(out, 1);
    Put<uint16_t>(out, 2);
    Put<uint32_t>(out, 44100);
    Put<uint32_t>(out, 44100 * 4);
    Put<uint16_t>(out, 4);
    Put<uint16_t>(out, 16);
    out.write("data", 4);
    Put<uint32_t>(out, dataBytes);
    std::vector<int16_t> block(1 << 16);
    for (size_t i = 0; i < block.size(); ++i) block[i] = int16_t((i * 37) & 0x3FFF);
    for (uint32_t done = 0; done < dataBytes; done += uint32_t(block.size() * 2)) {
      out.write(reinterpret_cast<const char*>(block.data()), std::streamsize(block.size() * 2));
    }
    for (char c : host) device += c == '/' ? u'\\' : char16_t(c);
    // Starts the player's thread, so that no measured call pays for it.
    PlaySound(nullptr, nullptr, 0);
    wince::test::WaitSoundIdle();
  }
  ~LargeWav() { unlink(host.c_str()); }
};

const LargeWav& File() {
  static LargeWav file;
  return file;
}

// The call alone, with the player idle before each call.
void BM_PlaySoundCall_PlayerIdle(benchmark::State& state) {
  const std::u16string& path = File().device;
  for (auto _ : state) {
    benchmark::DoNotOptimize(PlaySound(path.c_str(), nullptr, kFlags));
    state.PauseTiming();
    wince::test::WaitSoundIdle();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_PlaySoundCall_PlayerIdle)->Iterations(20)->Repetitions(5)->Unit(benchmark::kMicrosecond);

// The call while the player is still decoding earlier requests.
void BM_PlaySoundCall_PlayerBusy(benchmark::State& state) {
  const std::u16string& path = File().device;
  for (auto _ : state) benchmark::DoNotOptimize(PlaySound(path.c_str(), nullptr, kFlags));
  wince::test::WaitSoundIdle();
}
BENCHMARK(BM_PlaySoundCall_PlayerBusy)->Iterations(2000)->Unit(benchmark::kMicrosecond);

// From the call until the decoded sound is playing (reading and converting 50 MB).
void BM_PlaySoundUntilPlaying(benchmark::State& state) {
  const std::u16string& path = File().device;
  for (auto _ : state) {
    PlaySound(path.c_str(), nullptr, kFlags);
    wince::test::WaitSoundIdle();
  }
}
BENCHMARK(BM_PlaySoundUntilPlaying)->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace
