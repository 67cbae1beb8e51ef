// Decoding of device-independent bitmaps: .bmp files and the images inside .ico files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace wince {

// Little-endian fields of the .bmp and .ico formats.
inline uint16_t ReadU16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t ReadU32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

struct DecodedDib {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  std::vector<uint32_t> pixels;  // 0xAARRGGBB, rows top-down; alpha only from 32-bpp data
};

// A .bmp file: BI_RGB at 1, 4, 8, 24 or 32 bits per pixel, bottom-up or top-down.
// False for anything truncated, inconsistent, unsupported or larger than 16384 a side.
bool DecodeBmpFile(const uint8_t* data, size_t size, DecodedDib* out);

// An icon image (a DIB whose height counts the colour rows and the AND mask's rows);
// the pixels get alpha 255 where the icon is opaque, 0 where it is transparent.
bool DecodeIconImage(const uint8_t* data, size_t size, DecodedDib* out);

// The image of an .ico file that an icon handle shows: the 32x32 one, else the first
// that decodes. Images stored as PNG are not read.
bool DecodeIconFile(const uint8_t* data, size_t size, DecodedDib* out);

}  // namespace wince
