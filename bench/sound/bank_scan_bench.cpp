// The start-up scan of a large sound bank: 1,000 collections of 10 WAV files each,
// generated in a temporary folder when the benchmark starts; and the header checks
// alone, the part of the scan that opens every file.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include <unistd.h>

#include "sound/SoundBank.h"
#include "sound/WavFile.h"

namespace {

namespace fs = std::filesystem;

const int Folders = 1000;
const int FilesPerFolder = 10;

// A short 16-bit PCM sound: RIFF header, 16-byte format chunk, 64 bytes of data.
std::string SmallWav() {
  auto le = [](uint32_t v, int n) {
    std::string b;
    for (int i = 0; i < n; ++i) b.push_back(char((v >> (8 * i)) & 0xFF));
    return b;
  };
  std::string fmt = le(1, 2) + le(1, 2) + le(22050, 4) + le(44100, 4) + le(2, 2) + le(16, 2);
  std::string body = "WAVEfmt " + le(16, 4) + fmt + "data" + le(64, 4) + std::string(64, '\0');
  return "RIFF" + le(uint32_t(body.size()), 4) + body;
}

// The generated bank, removed when the process ends.
struct GeneratedBank {
  fs::path root;
  std::u16string device;

  GeneratedBank() {
    root = fs::temp_directory_path() / ("tiltchime_bank_bench_" + std::to_string(::getpid()));
    for (int folder = 0; folder < Folders; ++folder) {
      fs::path collection = root / ("Collection" + std::to_string(folder));
      fs::create_directories(collection);
      for (int file = 0; file < FilesPerFolder; ++file)
        std::ofstream(collection / ("Sound" + std::to_string(file) + ".wav"), std::ios::binary) << SmallWav();
    }
    for (char c : root.string()) device.push_back(c == '/' ? u'\\' : char16_t(static_cast<unsigned char>(c)));
    device.push_back(u'\\');
  }
  ~GeneratedBank() { fs::remove_all(root); }
};

// One bank for both benchmarks.
const GeneratedBank& TheBank() {
  static GeneratedBank bank;
  return bank;
}

void BM_SoundBankScan(benchmark::State& state) {
  const GeneratedBank& bank = TheBank();
  SoundBank soundBank;
  for (auto _ : state) {
    soundBank.Scan(bank.device.c_str());
    benchmark::DoNotOptimize(soundBank.Count());
  }
  if (soundBank.Count() != Folders * FilesPerFolder) state.SkipWithError("the bank is incomplete");
  state.counters["entries"] = soundBank.Count();
  state.counters["entries/s"] =
      benchmark::Counter(double(soundBank.Count()) * double(state.iterations()), benchmark::Counter::kIsRate);
  soundBank.Clear();
}
BENCHMARK(BM_SoundBankScan)->Unit(benchmark::kMillisecond);

// Every file's header checked once, without the enumeration: what the scan pays for
// offering only what plays.
void BM_WavHeaderChecks(benchmark::State& state) {
  const GeneratedBank& bank = TheBank();
  std::vector<std::u16string> paths;
  for (int folder = 0; folder < Folders; ++folder)
    for (int file = 0; file < FilesPerFolder; ++file) {
      std::string relative = "Collection" + std::to_string(folder) + "\\Sound" + std::to_string(file) + ".wav";
      paths.push_back(bank.device + std::u16string(relative.begin(), relative.end()));
    }
  for (auto _ : state) {
    int playable = 0;
    for (const std::u16string& path : paths) playable += CheckWavFile(path.c_str()) == WAV_PLAYABLE;
    if (playable != Folders * FilesPerFolder) state.SkipWithError("a header was refused");
  }
}
BENCHMARK(BM_WavHeaderChecks)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
