#include "sound/decode.h"

#include <SDL.h>
#include <cstring>
#include <sys/stat.h>

namespace wince::sound {

namespace {

// Larger files are refused rather than read into memory whole.
constexpr off_t kMaxFileBytes = off_t(512) << 20;
// The converted sound must fit in memory and in SDL's int lengths.
constexpr uint64_t kMaxOutputBytes = uint64_t(1) << 30;

bool IsReadableFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kMaxFileBytes;
}

bool Convert(const SDL_AudioSpec& source, const Uint8* data, Uint32 length, DecodedSound* out) {
  size_t frameBytes = size_t(SDL_AUDIO_BITSIZE(source.format) / 8) * source.channels;
  if (frameBytes == 0 || source.freq <= 0) return false;
  out->sourceFrames = length / frameBytes;
  SDL_AudioCVT cvt;
  if (SDL_BuildAudioCVT(&cvt, source.format, source.channels, source.freq, AUDIO_S16SYS, kOutputChannels, kOutputRate) < 0) {
    return false;
  }
  cvt.len = int(out->sourceFrames * frameBytes);
  if (uint64_t(cvt.len) * uint64_t(cvt.len_mult) > kMaxOutputBytes) return false;
  std::vector<int16_t> work((size_t(cvt.len) * size_t(cvt.len_mult) + 1) / sizeof(int16_t));
  cvt.buf = reinterpret_cast<Uint8*>(work.data());
  std::memcpy(cvt.buf, data, size_t(cvt.len));
  if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) return false;
  work.resize(size_t(cvt.needed ? cvt.len_cvt : cvt.len) / sizeof(int16_t));
  out->samples = std::move(work);
  out->frames = out->samples.size() / kOutputChannels;
  return true;
}

}  // namespace

bool DecodeWav(const std::string& hostPath, DecodedSound* out) {
  if (!IsReadableFile(hostPath)) return false;
  SDL_RWops* file = SDL_RWFromFile(hostPath.c_str(), "rb");
  if (!file) return false;
  SDL_AudioSpec source;
  Uint8* data = nullptr;
  Uint32 length = 0;
  if (!SDL_LoadWAV_RW(file, 1, &source, &data, &length)) return false;
  bool ok = Convert(source, data, length, out);
  SDL_FreeWAV(data);
  return ok;
}

}  // namespace wince::sound
