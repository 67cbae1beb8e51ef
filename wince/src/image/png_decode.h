// PNG decoding for the shell's image loader.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wince {

// Images larger than this are refused before any pixel memory is taken, so a tiny file
// that declares a huge image cannot exhaust memory: at most 64 MB of pixels, many times
// the device's screen.
constexpr uint32_t kMaxPngSide = 16384;
constexpr uint64_t kMaxPngPixels = 16ull * 1024 * 1024;

struct DecodedImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, rows top-down, no padding
};

// Decodes every colour type and bit depth, interlaced or not. 16-bit samples are
// rounded to 8 bits; transparency (an alpha channel or tRNS) is composited over black,
// so fully transparent pixels become black whatever colour they store. Returns false for
// a missing, unreadable, damaged or oversized file.
bool DecodePngFile(const std::string& hostPath, DecodedImage* image);

}  // namespace wince
