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
  // 0xAARRGGBB with the colours premultiplied by alpha (0x00RRGGBB when the image has no
  // transparency), rows top-down, no padding.
  std::vector<uint32_t> pixels;
  bool hasAlpha = false;  // an alpha channel or tRNS
};

// Decodes every colour type and bit depth, interlaced or not. 16-bit samples are
// rounded to 8 bits; colours are premultiplied by their alpha (transparency from an
// alpha channel or tRNS), so fully transparent pixels are black whatever colour they
// store, and the alpha is kept in the top byte. Returns false for a missing,
// unreadable, damaged or oversized file.
bool DecodePngFile(const std::string& hostPath, DecodedImage* image);

}  // namespace wince
