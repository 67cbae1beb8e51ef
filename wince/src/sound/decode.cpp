#include "sound/decode.h"

#include <SDL.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <vector>

namespace wince::sound {

namespace {

constexpr uint16_t kPcm = 1, kMsAdpcm = 2, kFloat = 3, kALaw = 6, kMuLaw = 7, kImaAdpcm = 0x11;
constexpr uint16_t kExtensible = 0xFFFE;
// The bytes after the format tag in the sub-format GUID of an extensible format.
constexpr uint8_t kGuidSuffix[12] = {0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
// A format chunk is at most this long (MS ADPCM with 256 coefficient pairs fits).
constexpr uint32_t kMaxFmtBytes = 4096;
// The highest rate of any audio hardware; beyond it SDL's converter miscomputes its buffers.
constexpr uint32_t kMaxRate = 768000;
// Source frames converted at a time for the uncompressed formats.
constexpr size_t kChunkFrames = 2048;

class FileBytes : public ByteSource {
 public:
  FileBytes(int fd, uint64_t size) : fd_(fd), size_(size) {}
  ~FileBytes() override { close(fd_); }
  uint64_t Size() const override { return size_; }
  size_t ReadAt(uint64_t offset, void* out, size_t bytes) override {
    size_t done = 0;
    while (done < bytes) {
      ssize_t n = pread(fd_, static_cast<char*>(out) + done, bytes - done, off_t(offset + done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      done += size_t(n);
    }
    return done;
  }

 private:
  int fd_;
  uint64_t size_;
};

class MemoryBytes : public ByteSource {
 public:
  MemoryBytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint64_t Size() const override { return size_; }
  size_t ReadAt(uint64_t offset, void* out, size_t bytes) override {
    // An empty read may come with no buffer at all (an empty chunk's storage).
    if (offset >= size_ || bytes == 0) return 0;
    size_t n = size_t(std::min<uint64_t>(bytes, size_ - offset));
    std::memcpy(out, data_ + offset, n);
    return n;
  }

 private:
  const uint8_t* data_;
  size_t size_;
};

uint16_t Get16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t Get32(const uint8_t* p) { return uint32_t(Get16(p)) | uint32_t(Get16(p + 2)) << 16; }
int16_t Signed16(const uint8_t* p) { return int16_t(Get16(p)); }

struct Format {
  uint16_t tag = 0;
  uint16_t channels = 0;
  uint32_t rate = 0;
  uint16_t blockAlign = 0;
  uint16_t bits = 0;
  uint32_t samplesPerBlock = 0;                          // ADPCM: frames in a whole block
  std::vector<std::pair<int, int>> coefficients;  // MS ADPCM predictors
};

bool IsAdpcm(uint16_t tag) { return tag == kImaAdpcm || tag == kMsAdpcm; }

// Bytes at the start of each ADPCM block, per channel.
uint32_t AdpcmHeader(const Format& f) { return (f.tag == kImaAdpcm ? 4u : 7u) * f.channels; }

// Frames in an ADPCM block of bytes bytes (a whole block or the file's last, short one).
uint64_t AdpcmFrames(const Format& f, uint32_t bytes) {
  uint32_t header = AdpcmHeader(f);
  if (bytes < header) return 0;
  uint64_t frames = f.tag == kImaAdpcm ? 1 + uint64_t((bytes - header) / (4u * f.channels)) * 8
                                       : 2 + uint64_t(bytes - header) * 2 / f.channels;
  return std::min<uint64_t>(frames, f.samplesPerBlock);
}

bool ParseFmt(const uint8_t* p, uint32_t n, Format* f) {
  if (n < 16) return false;
  f->tag = Get16(p);
  f->channels = Get16(p + 2);
  f->rate = Get32(p + 4);
  f->blockAlign = Get16(p + 12);
  f->bits = Get16(p + 14);
  uint32_t extra = n >= 18 ? std::min<uint32_t>(Get16(p + 16), n - 18) : 0;
  const uint8_t* ext = p + 18;
  if (f->tag == kExtensible) {
    if (extra < 22 || std::memcmp(ext + 10, kGuidSuffix, sizeof kGuidSuffix) != 0) return false;
    uint32_t tag = Get32(ext + 6);
    if (tag != kPcm && tag != kFloat && tag != kALaw && tag != kMuLaw) return false;
    f->tag = uint16_t(tag);
  }
  if (f->channels < 1 || f->channels > 8 || f->rate == 0 || f->rate > kMaxRate) return false;
  switch (f->tag) {
    case kPcm:
      if (f->bits != 8 && f->bits != 16 && f->bits != 24 && f->bits != 32) return false;
      break;
    case kFloat:
      if (f->bits != 32) return false;
      break;
    case kALaw:
    case kMuLaw:
      if (f->bits != 8) return false;
      break;
    case kImaAdpcm:
    case kMsAdpcm: {
      if (f->bits != 4 || f->channels > 2 || f->blockAlign < AdpcmHeader(*f)) return false;
      f->samplesPerBlock = UINT32_MAX;
      uint64_t most = AdpcmFrames(*f, f->blockAlign);
      f->samplesPerBlock = uint32_t(most);
      if (extra >= 2 && Get16(ext) != 0) {
        if (Get16(ext) > most) return false;
        f->samplesPerBlock = Get16(ext);
      }
      if (f->tag == kMsAdpcm) {
        if (extra < 4) return false;
        uint32_t count = Get16(ext + 2);
        if (count < 7 || count > 256 || extra < 4 + 4 * count) return false;
        for (uint32_t i = 0; i < count; ++i) {
          f->coefficients.push_back({Signed16(ext + 4 + 4 * i), Signed16(ext + 6 + 4 * i)});
        }
      }
      return true;
    }
    default: return false;
  }
  return f->blockAlign == f->channels * f->bits / 8;
}

}  // namespace

bool FormatSupported(const uint8_t* fmt, uint32_t bytes) {
  Format format;
  return fmt && ParseFmt(fmt, bytes, &format);
}

namespace {

// G.711 expansions to 16-bit samples.
int16_t FromMuLaw(uint8_t byte) {
  uint8_t x = uint8_t(~byte);
  int magnitude = (((x & 0x0F) << 3) + 0x84) << ((x >> 4) & 7);
  return int16_t(x & 0x80 ? 0x84 - magnitude : magnitude - 0x84);
}

int16_t FromALaw(uint8_t byte) {
  uint8_t x = byte ^ 0x55;
  int exponent = (x >> 4) & 7;
  int magnitude = exponent == 0 ? ((x & 0x0F) << 4) + 8 : (((x & 0x0F) << 4) + 0x108) << (exponent - 1);
  return int16_t(x & 0x80 ? magnitude : -magnitude);
}

int16_t Clamp16(int v) { return int16_t(std::clamp(v, -32768, 32767)); }

constexpr int kImaSteps[89] = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,    25,    28,
    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,    88,    97,    107,   118,
    130,   143,   157,   173,   190,   209,   230,   253,   279,   307,   337,   371,   408,   449,   494,
    544,   598,   658,   724,   796,   876,   963,   1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,
    2272,  2499,  2749,  3024,  3327,  3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,
    9493,  10442, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};
constexpr int kImaIndexSteps[8] = {-1, -1, -1, -1, 2, 4, 6, 8};

struct ImaChannel {
  int sample, index;
  int16_t Next(int nibble) {
    int step = kImaSteps[index];
    int diff = step >> 3;
    if (nibble & 4) diff += step;
    if (nibble & 2) diff += step >> 1;
    if (nibble & 1) diff += step >> 2;
    sample = Clamp16(nibble & 8 ? sample - diff : sample + diff);
    index = std::clamp(index + kImaIndexSteps[nibble & 7], 0, 88);
    return int16_t(sample);
  }
};

// One block of frames frames into out (interleaved); false when the block is corrupt.
bool DecodeIma(const Format& f, const uint8_t* block, uint64_t frames, int16_t* out) {
  const int channels = f.channels;
  ImaChannel state[2];
  for (int c = 0; c < channels; ++c) {
    state[c] = {Signed16(block + 4 * c), block[4 * c + 2]};
    if (state[c].index > 88) return false;
    out[c] = int16_t(state[c].sample);
  }
  // After the headers, 4 bytes (8 samples) of each channel in turn, low nibble first.
  const uint8_t* data = block + 4 * channels;
  for (uint64_t group = 0; 1 + group * 8 < frames; ++group) {
    for (int c = 0; c < channels; ++c) {
      const uint8_t* bytes = data + (group * channels + c) * 4;
      for (int k = 0; k < 8 && 1 + group * 8 + k < frames; ++k) {
        int nibble = (bytes[k / 2] >> (k % 2 ? 4 : 0)) & 0x0F;
        out[(1 + group * 8 + k) * channels + c] = state[c].Next(nibble);
      }
    }
  }
  return true;
}

constexpr int kMsAdaptation[16] = {230, 230, 230, 230, 307, 409, 512, 614, 768, 614, 512, 409, 307, 230, 230, 230};

bool DecodeMsAdpcm(const Format& f, const uint8_t* block, uint64_t frames, int16_t* out) {
  const int channels = f.channels;
  int coef1[2], coef2[2], delta[2], sample1[2], sample2[2];
  for (int c = 0; c < channels; ++c) {
    if (block[c] >= f.coefficients.size()) return false;
    coef1[c] = f.coefficients[block[c]].first;
    coef2[c] = f.coefficients[block[c]].second;
    delta[c] = Signed16(block + channels + 2 * c);
    sample1[c] = Signed16(block + 3 * channels + 2 * c);
    sample2[c] = Signed16(block + 5 * channels + 2 * c);
    out[c] = int16_t(sample2[c]);
    if (frames > 1) out[channels + c] = int16_t(sample1[c]);
  }
  // Then one nibble per sample, high nibble first, channels in turn.
  const uint8_t* data = block + 7 * channels;
  for (uint64_t i = 0; i + 2 < frames; ++i) {
    for (int c = 0; c < channels; ++c) {
      uint64_t n = i * channels + c;
      int nibble = (data[n / 2] >> (n % 2 ? 0 : 4)) & 0x0F;
      int predicted = (sample1[c] * coef1[c] + sample2[c] * coef2[c]) / 256;
      int next = Clamp16(predicted + (nibble >= 8 ? nibble - 16 : nibble) * delta[c]);
      delta[c] = std::max(16, kMsAdaptation[nibble] * delta[c] / 256);
      sample2[c] = sample1[c];
      sample1[c] = next;
      out[(i + 2) * channels + c] = int16_t(next);
    }
  }
  return true;
}

class Wav : public WavStream {
 public:
  Wav(std::unique_ptr<ByteSource> source, Format format, uint64_t dataOffset, uint64_t dataBytes,
      uint64_t sourceFrames, SDL_AudioStream* stream)
      : source_(std::move(source)), format_(std::move(format)), next_(dataOffset), end_(dataOffset + dataBytes),
        stream_(stream) {
    sourceFrames_ = sourceFrames;
    frames_ = (sourceFrames * 2 * kOutputRate + format_.rate) / (2 * uint64_t(format_.rate));
  }
  ~Wav() override { SDL_FreeAudioStream(stream_); }

  size_t Read(int16_t* out, size_t frames) override {
    constexpr int kFrameBytes = kOutputChannels * sizeof(int16_t);
    size_t done = 0;
    while (done < frames) {
      int available = SDL_AudioStreamAvailable(stream_) / kFrameBytes;
      if (available > 0) {
        int want = int(std::min<size_t>(size_t(available), frames - done)) * kFrameBytes;
        int got = SDL_AudioStreamGet(stream_, out + done * kOutputChannels, want);
        if (got <= 0) break;
        done += size_t(got / kFrameBytes);
        continue;
      }
      if (flushed_) break;
      if (!Feed()) {
        // The end (or a cut-short or corrupt part): what the resampler holds comes out.
        SDL_AudioStreamFlush(stream_);
        flushed_ = true;
      }
    }
    return done;
  }

 private:
  // Puts the next piece of the file into the converter; false at the end.
  bool Feed() {
    uint64_t left = sourceFrames_ - fed_;
    if (left == 0) return false;
    uint64_t bytes;
    uint64_t frames;
    if (IsAdpcm(format_.tag)) {
      bytes = std::min<uint64_t>(format_.blockAlign, end_ - next_);
      frames = std::min(AdpcmFrames(format_, uint32_t(bytes)), left);
    } else {
      // A low rate is fed in smaller pieces: none converts to much more than kChunkFrames.
      uint64_t piece = std::clamp<uint64_t>(kChunkFrames * uint64_t(format_.rate) / kOutputRate, 1, kChunkFrames);
      frames = std::min(piece, left);
      bytes = frames * format_.blockAlign;
    }
    input_.resize(size_t(bytes));
    size_t got = frames == 0 ? 0 : source_->ReadAt(next_, input_.data(), input_.size());
    if (got < bytes) {
      // The file has been cut short since it was opened: the whole frames read are the
      // last to play.
      frames = std::min<uint64_t>(frames, IsAdpcm(format_.tag) ? AdpcmFrames(format_, uint32_t(got)) : got / format_.blockAlign);
      fed_ = sourceFrames_ - frames;
    }
    if (frames == 0) return false;
    next_ += bytes;
    fed_ += frames;
    const void* samples = input_.data();
    size_t sampleCount = size_t(frames) * format_.channels;
    int sampleBytes = format_.bits / 8;
    switch (format_.tag) {
      case kImaAdpcm:
      case kMsAdpcm:
        decoded_.resize(sampleCount);
        if (!(format_.tag == kImaAdpcm ? DecodeIma : DecodeMsAdpcm)(format_, input_.data(), frames, decoded_.data())) {
          return false;
        }
        samples = decoded_.data();
        sampleBytes = 2;
        break;
      case kALaw:
      case kMuLaw:
        decoded_.resize(sampleCount);
        for (size_t i = 0; i < sampleCount; ++i) {
          decoded_[i] = format_.tag == kALaw ? FromALaw(input_[i]) : FromMuLaw(input_[i]);
        }
        samples = decoded_.data();
        sampleBytes = 2;
        break;
      case kPcm:
        if (format_.bits == 24) {
          wide_.resize(sampleCount);
          for (size_t i = 0; i < sampleCount; ++i) {
            const uint8_t* p = &input_[3 * i];
            wide_[i] = int32_t(uint32_t(p[0]) << 8 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 24);
          }
          samples = wide_.data();
          sampleBytes = 4;
        }
        break;
      default: break;
    }
    return SDL_AudioStreamPut(stream_, samples, int(sampleCount) * sampleBytes) == 0;
  }

  std::unique_ptr<ByteSource> source_;
  Format format_;
  uint64_t next_, end_;  // the data still to read
  uint64_t fed_ = 0;     // source frames put into the converter
  bool flushed_ = false;
  SDL_AudioStream* stream_;
  std::vector<uint8_t> input_;
  std::vector<int16_t> decoded_;
  std::vector<int32_t> wide_;
};

// The converter's input format for what Feed puts in.
SDL_AudioFormat InputFormat(const Format& f) {
  if (f.tag == kFloat) return AUDIO_F32LSB;
  if (f.tag != kPcm) return AUDIO_S16SYS;
  switch (f.bits) {
    case 8: return AUDIO_U8;
    case 16: return AUDIO_S16LSB;
    case 24: return AUDIO_S32SYS;
    default: return AUDIO_S32LSB;
  }
}

}  // namespace

std::unique_ptr<ByteSource> FileSource(const std::string& hostPath) {
  // Non-blocking, so that opening a pipe does not wait for a writer; it is refused below.
  int fd = open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return nullptr;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return nullptr;
  }
  return std::make_unique<FileBytes>(fd, uint64_t(st.st_size));
}

std::unique_ptr<ByteSource> MemorySource(const uint8_t* data, size_t size) {
  return std::make_unique<MemoryBytes>(data, size);
}

std::unique_ptr<WavStream> OpenWav(std::unique_ptr<ByteSource> source) {
  if (!source) return nullptr;
  const uint64_t size = source->Size();
  uint8_t header[12];
  if (source->ReadAt(0, header, 12) != 12 || std::memcmp(header, "RIFF", 4) != 0 ||
      std::memcmp(header + 8, "WAVE", 4) != 0) {
    return nullptr;
  }
  Format format;
  bool haveFormat = false;
  uint64_t factFrames = UINT64_MAX;
  uint64_t offset = 12;
  for (;;) {
    uint8_t chunk[8];
    if (source->ReadAt(offset, chunk, 8) != 8) return nullptr;  // no data chunk
    uint32_t bytes = Get32(chunk + 4);
    uint64_t body = offset + 8;
    // A chunk that claims more than the file holds is cut short: not playable.
    if (bytes > size - body) return nullptr;
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (haveFormat || bytes > kMaxFmtBytes) return nullptr;
      std::vector<uint8_t> fmt(bytes);
      if (source->ReadAt(body, fmt.data(), bytes) != bytes || !ParseFmt(fmt.data(), bytes, &format)) return nullptr;
      haveFormat = true;
    } else if (std::memcmp(chunk, "fact", 4) == 0 && bytes >= 4) {
      uint8_t fact[4];
      if (source->ReadAt(body, fact, 4) != 4) return nullptr;
      factFrames = Get32(fact);
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      if (!haveFormat) return nullptr;
      uint64_t frames;
      if (IsAdpcm(format.tag)) {
        frames = bytes / format.blockAlign * uint64_t(format.samplesPerBlock) +
                 AdpcmFrames(format, bytes % format.blockAlign);
        frames = std::min(frames, factFrames);  // the last block's padding is not sound
      } else {
        frames = bytes / format.blockAlign;
      }
      if (frames == 0) return nullptr;  // nothing to play
      SDL_AudioStream* stream = SDL_NewAudioStream(InputFormat(format), Uint8(format.channels), int(format.rate),
                                                   AUDIO_S16SYS, kOutputChannels, kOutputRate);
      if (!stream) return nullptr;
      return std::make_unique<Wav>(std::move(source), std::move(format), body, bytes, frames, stream);
    }
    offset = body + bytes + (bytes & 1);  // chunks are padded to even sizes
  }
}

}  // namespace wince::sound
