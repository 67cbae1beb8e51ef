// WAV files decoded to the output format of the player.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wince::sound {

// The one format sounds are played in, on the audio device and in the silent sink.
constexpr int kOutputRate = 44100;
constexpr int kOutputChannels = 2;

struct DecodedSound {
  std::vector<int16_t> samples;  // interleaved, kOutputChannels per frame
  uint64_t frames = 0;           // at kOutputRate
  uint64_t sourceFrames = 0;     // at the file's own rate
};

// Reads and converts a WAV file (PCM 8/16/24/32-bit, IEEE float, IMA/MS ADPCM, A-law,
// mu-law). False for anything that is not a regular file holding a complete, supported
// WAV: a data chunk cut short counts as not playable.
bool DecodeWav(const std::string& hostPath, DecodedSound* out);

}  // namespace wince::sound
