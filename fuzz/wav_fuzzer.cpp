// A WAV file of any bytes, opened and decoded block by block to the output format (up to
// six seconds of sound: a tiny file at a rate of 1 Hz lasts minutes).
#include "sound/decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto stream = wince::sound::OpenWav(wince::sound::MemorySource(data, size));
  if (!stream) return 0;
  constexpr size_t kBlock = 1024;
  static int16_t out[kBlock * wince::sound::kOutputChannels];
  for (size_t total = 0; total < (size_t(1) << 18); total += kBlock) {
    if (stream->Read(out, kBlock) < kBlock) break;
  }
  return 0;
}
