// WAV files read, decoded and converted to the output format of the player in blocks, so
// a sound of any length costs a bounded amount of memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace wince::sound {

// The one format sounds are played in, on the audio device and in the silent sink.
constexpr int kOutputRate = 44100;
constexpr int kOutputChannels = 2;

// Where a WAV file's bytes come from: a file, or bytes in memory.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual uint64_t Size() const = 0;
  // Up to bytes bytes at offset; fewer only at the end or on a read error.
  virtual size_t ReadAt(uint64_t offset, void* out, size_t bytes) = 0;
};

// Null for anything that is not a regular file that can be opened for reading.
std::unique_ptr<ByteSource> FileSource(const std::string& hostPath);
// The bytes must outlive the source.
std::unique_ptr<ByteSource> MemorySource(const uint8_t* data, size_t size);

// One WAV sound being decoded: PCM 8/16/24/32-bit, IEEE float, IMA/MS ADPCM, A-law,
// mu-law, 1 to 8 channels at any rate.
class WavStream {
 public:
  virtual ~WavStream() = default;
  uint64_t SourceFrames() const { return sourceFrames_; }  // at the file's own rate
  uint64_t Frames() const { return frames_; }              // the same time at kOutputRate
  // Writes up to frames frames at the output format; fewer only at the sound's end, or
  // where the file turns out cut short or corrupt (the sound ends there).
  virtual size_t Read(int16_t* out, size_t frames) = 0;

 protected:
  uint64_t sourceFrames_ = 0;
  uint64_t frames_ = 0;
};

// Whether a format chunk of bytes bytes (a WAVEFORMATEX and its extra bytes) is one this
// decoder plays.
bool FormatSupported(const uint8_t* fmt, uint32_t bytes);

// Reads the file's header: null for anything that is not a complete, supported WAV with
// something to play. Every size in the header is checked against the source's real size
// before anything is allocated for it.
std::unique_ptr<WavStream> OpenWav(std::unique_ptr<ByteSource> source);

}  // namespace wince::sound
