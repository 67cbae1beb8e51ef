// BMP and icon image decoding. Every read is checked against the data's size.
#include "resources/dib.h"

#include <algorithm>

namespace wince {
namespace {

constexpr int64_t kMaxSide = 16384;
constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr size_t kIconDirSize = 6;
constexpr size_t kIconEntrySize = 16;
// Real icons hold a handful of sizes and depths.
constexpr size_t kMaxIconImages = 64;

struct DibLayout {
  int64_t width = 0;
  int64_t height = 0;  // rows of colour data
  bool topDown = false;
  int bitsPerPixel = 0;
  std::vector<uint32_t> palette;
  size_t stride = 0;  // bytes per row of colour data
};

// Reads the info header and palette at header; height is divided by heightDivisor
// (2 for icons, whose header counts the AND mask's rows too).
bool ReadLayout(const uint8_t* data, size_t size, size_t header, int heightDivisor, DibLayout* layout) {
  if (size < header + kInfoHeaderSize) return false;
  const uint8_t* h = data + header;
  uint32_t headerSize = ReadU32(h);
  if (headerSize < kInfoHeaderSize || headerSize > size - header) return false;
  int32_t width = int32_t(ReadU32(h + 4));
  int32_t height = int32_t(ReadU32(h + 8));
  uint16_t planes = ReadU16(h + 12);
  uint16_t bits = ReadU16(h + 14);
  uint32_t compression = ReadU32(h + 16);
  uint32_t colorsUsed = ReadU32(h + 32);
  if (planes != 1 || compression != 0) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
  layout->topDown = height < 0;
  layout->width = width;
  layout->height = (layout->topDown ? -int64_t(height) : int64_t(height)) / heightDivisor;
  if (layout->width <= 0 || layout->height <= 0 || layout->width > kMaxSide || layout->height > kMaxSide) {
    return false;
  }
  layout->bitsPerPixel = bits;
  layout->stride = size_t((layout->width * bits + 31) / 32) * 4;
  if (bits <= 8) {
    uint32_t count = colorsUsed ? colorsUsed : (1u << bits);
    if (count > 256) return false;
    size_t start = header + headerSize;
    if (count * 4 > size - start) return false;
    layout->palette.resize(count);
    for (uint32_t i = 0; i < count; ++i) layout->palette[i] = ReadU32(data + start + i * 4) & 0xFFFFFF;
  }
  return true;
}

// Converts the colour rows starting at bits (bounds already checked) to 0xAARRGGBB.
void ReadPixels(const DibLayout& layout, const uint8_t* bits, DecodedDib* out) {
  out->width = int(layout.width);
  out->height = int(layout.height);
  out->bitsPerPixel = layout.bitsPerPixel;
  out->pixels.assign(size_t(layout.width) * size_t(layout.height), 0);
  int bpp = layout.bitsPerPixel;
  for (int64_t y = 0; y < layout.height; ++y) {
    const uint8_t* row = bits + size_t(layout.topDown ? y : layout.height - 1 - y) * layout.stride;
    uint32_t* dst = out->pixels.data() + size_t(y) * size_t(layout.width);
    for (int64_t x = 0; x < layout.width; ++x) {
      if (bpp == 24) {
        const uint8_t* p = row + x * 3;
        dst[x] = 0xFF000000u | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
      } else if (bpp == 32) {
        dst[x] = ReadU32(row + x * 4);
      } else {
        int perByte = 8 / bpp;
        int shift = 8 - bpp * int(x % perByte + 1);
        uint32_t index = (row[x / perByte] >> shift) & ((1u << bpp) - 1);
        // An index past the palette gives black.
        uint32_t color = index < layout.palette.size() ? layout.palette[index] : 0;
        dst[x] = 0xFF000000u | color;
      }
    }
  }
}

bool Fits(size_t offset, size_t length, size_t size) { return offset <= size && length <= size - offset; }

}  // namespace

bool DecodeBmpFile(const uint8_t* data, size_t size, DecodedDib* out) {
  if (!data || size < kFileHeaderSize || data[0] != 'B' || data[1] != 'M') return false;
  DibLayout layout;
  if (!ReadLayout(data, size, kFileHeaderSize, 1, &layout)) return false;
  size_t offset = ReadU32(data + 10);
  if (!Fits(offset, layout.stride * size_t(layout.height), size)) return false;
  ReadPixels(layout, data + offset, out);
  for (uint32_t& p : out->pixels) p |= 0xFF000000u;
  return true;
}

bool DecodeIconImage(const uint8_t* data, size_t size, DecodedDib* out) {
  DibLayout layout;
  if (!data || !ReadLayout(data, size, 0, 2, &layout)) return false;
  size_t colors = ReadU32(data) + layout.palette.size() * 4;
  size_t colorBytes = layout.stride * size_t(layout.height);
  size_t maskStride = size_t((layout.width + 31) / 32) * 4;
  size_t maskBytes = maskStride * size_t(layout.height);
  if (!Fits(colors, colorBytes, size)) return false;
  ReadPixels(layout, data + colors, out);
  bool hasAlpha = false;
  if (layout.bitsPerPixel == 32) {
    for (uint32_t p : out->pixels) hasAlpha |= (p >> 24) != 0;
  }
  if (hasAlpha) return true;
  // Without an alpha channel the AND mask says where the icon is transparent; an icon
  // whose mask is missing is opaque.
  const uint8_t* mask = Fits(colors + colorBytes, maskBytes, size) ? data + colors + colorBytes : nullptr;
  for (int64_t y = 0; y < layout.height; ++y) {
    const uint8_t* row = mask ? mask + size_t(layout.topDown ? y : layout.height - 1 - y) * maskStride : nullptr;
    uint32_t* dst = out->pixels.data() + size_t(y) * size_t(layout.width);
    for (int64_t x = 0; x < layout.width; ++x) {
      bool transparent = row && ((row[x / 8] >> (7 - x % 8)) & 1);
      dst[x] = transparent ? 0 : (dst[x] | 0xFF000000u);
    }
  }
  return true;
}

bool DecodeIconFile(const uint8_t* data, size_t size, DecodedDib* out) {
  if (size < kIconDirSize || ReadU16(data) != 0 || ReadU16(data + 2) != 1) return false;
  size_t count = ReadU16(data + 4);
  if (count == 0 || count > (size - kIconDirSize) / kIconEntrySize) return false;
  // Entries may all point at the same large image: no more than kMaxIconImages are
  // looked at, and only the first image that decodes is kept while looking for 32x32.
  count = std::min(count, kMaxIconImages);
  DecodedDib first;
  bool found = false;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* entry = data + kIconDirSize + i * kIconEntrySize;
    size_t length = ReadU32(entry + 8), offset = ReadU32(entry + 12);
    if (offset > size || length > size - offset) continue;
    DecodedDib image;
    if (!DecodeIconImage(data + offset, length, &image)) continue;
    if (image.width == 32 && image.height == 32) {
      *out = std::move(image);
      return true;
    }
    if (!found) first = std::move(image);
    found = true;
  }
  if (found) *out = std::move(first);
  return found;
}

}  // namespace wince
