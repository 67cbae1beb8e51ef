// The start-up scan of a large sound bank: 1,000 collections of 10 WAV files each,
// generated in a temporary folder when the benchmark starts.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "sound/SoundBank.h"

namespace {

namespace fs = std::filesystem;

const int Folders = 1000;
const int FilesPerFolder = 10;

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
        std::ofstream(collection / ("Sound" + std::to_string(file) + ".wav")) << "RIFF";
    }
    for (char c : root.string()) device.push_back(c == '/' ? u'\\' : char16_t(static_cast<unsigned char>(c)));
    device.push_back(u'\\');
  }
  ~GeneratedBank() { fs::remove_all(root); }
};

void BM_SoundBankScan(benchmark::State& state) {
  static GeneratedBank bank;
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

}  // namespace

BENCHMARK_MAIN();
