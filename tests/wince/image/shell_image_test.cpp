// SHLoadImageFile: PNG of every colour type and bit depth, and files it must refuse.
#include <png.h>
#include <zlib.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <aygshell.h>
#include <windows.h>

#include "common/surface.h"
#include "files/paths.h"

namespace {

namespace fs = std::filesystem;

// A PNG to write: samples as given per channel, before packing.
struct PngLayout {
  int width = 7;
  int height = 5;
  int colorType = PNG_COLOR_TYPE_RGB;
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<png_color> palette;
  std::vector<png_byte> paletteAlpha;  // tRNS of a palette image
  bool keyColor = false;               // tRNS of a gray or RGB image
  png_color_16 key{};
};

int Channels(int colorType) {
  switch (colorType) {
    case PNG_COLOR_TYPE_GRAY: return 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_PALETTE: return 1;
    case PNG_COLOR_TYPE_RGB: return 3;
    default: return 4;
  }
}

// Deterministic samples that cover the range of the depth, both ends included.
uint32_t Sample(const PngLayout& layout, int x, int y, int channel) {
  const uint32_t max = layout.colorType == PNG_COLOR_TYPE_PALETTE
                           ? uint32_t(layout.palette.size()) - 1
                           : (1u << layout.bitDepth) - 1;
  const uint32_t n = uint32_t(x * 131 + y * 977 + channel * 5003) * 2654435761u;
  if ((x + y + channel) % 5 == 0) return max;
  if ((x + 2 * y + channel) % 7 == 0) return 0;
  return (n >> 7) % (max + 1);
}

// 16-bit samples are rounded to the nearest 8-bit value; smaller depths are scaled up.
uint32_t To8(uint32_t v, int depth) {
  if (depth == 16) return (v * 255 + 32767) / 65535;
  return v * 255 / ((1u << depth) - 1);
}

uint32_t OverBlack(uint32_t c, uint32_t a) { return (c * a + 127) / 255; }

uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return (r << 16) | (g << 8) | b; }

// The colour premultiplied by alpha (over black), with the alpha in the top byte when
// the image has transparency (an alpha channel, palette alpha or a key colour).
uint32_t ExpectedPixel(const PngLayout& layout, int x, int y) {
  const int d = layout.bitDepth;
  auto s = [&](int c) { return Sample(layout, x, y, c); };
  auto withAlpha = [](uint32_t rgb, uint32_t a) { return a << 24 | rgb; };
  switch (layout.colorType) {
    case PNG_COLOR_TYPE_GRAY: {
      const uint32_t g = To8(s(0), d);
      if (!layout.keyColor) return Rgb(g, g, g);
      return s(0) == layout.key.gray ? 0 : withAlpha(Rgb(g, g, g), 255);
    }
    case PNG_COLOR_TYPE_GRAY_ALPHA: {
      const uint32_t a = To8(s(1), d);
      const uint32_t g = OverBlack(To8(s(0), d), a);
      return withAlpha(Rgb(g, g, g), a);
    }
    case PNG_COLOR_TYPE_PALETTE: {
      const png_color& c = layout.palette[s(0)];
      const uint32_t a = s(0) < layout.paletteAlpha.size() ? layout.paletteAlpha[s(0)] : 255;
      const uint32_t rgb = Rgb(OverBlack(c.red, a), OverBlack(c.green, a), OverBlack(c.blue, a));
      return layout.paletteAlpha.empty() ? rgb : withAlpha(rgb, a);
    }
    case PNG_COLOR_TYPE_RGB: {
      const uint32_t rgb = Rgb(To8(s(0), d), To8(s(1), d), To8(s(2), d));
      if (!layout.keyColor) return rgb;
      bool key = s(0) == layout.key.red && s(1) == layout.key.green && s(2) == layout.key.blue;
      return key ? 0 : withAlpha(rgb, 255);
    }
    default: {
      const uint32_t a = To8(s(3), d);
      return withAlpha(Rgb(OverBlack(To8(s(0), d), a), OverBlack(To8(s(1), d), a), OverBlack(To8(s(2), d), a)), a);
    }
  }
}


std::vector<png_byte> PackRow(const PngLayout& layout, int y) {
  const int channels = Channels(layout.colorType);
  const int bits = layout.bitDepth;
  std::vector<png_byte> row((size_t(layout.width) * channels * bits + 7) / 8);
  size_t bit = 0;
  for (int x = 0; x < layout.width; ++x) {
    for (int c = 0; c < channels; ++c) {
      const uint32_t v = Sample(layout, x, y, c);
      if (bits == 16) {
        row[bit / 8] = png_byte(v >> 8);
        row[bit / 8 + 1] = png_byte(v);
      } else {
        row[bit / 8] |= png_byte(v << (8 - bits - bit % 8));
      }
      bit += bits;
    }
  }
  return row;
}

bool WritePng(const std::string& path, const PngLayout& layout) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  std::vector<std::vector<png_byte>> rows;
  for (int y = 0; y < layout.height; ++y) rows.push_back(PackRow(layout, y));
  std::vector<png_bytep> pointers;
  for (auto& row : rows) pointers.push_back(row.data());
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, layout.width, layout.height, layout.bitDepth, layout.colorType,
               layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!layout.palette.empty())
    png_set_PLTE(png, info, layout.palette.data(), int(layout.palette.size()));
  if (!layout.paletteAlpha.empty())
    png_set_tRNS(png, info, layout.paletteAlpha.data(), int(layout.paletteAlpha.size()), nullptr);
  if (layout.keyColor) png_set_tRNS(png, info, nullptr, 0, const_cast<png_color_16*>(&layout.key));
  png_write_info(png, info);
  png_write_image(png, pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}

class WinceShellImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/wince_image_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string HostPath(const std::string& name) const { return dir_ + "/" + name; }
  HBITMAP Load(const std::string& hostPath) const {
    return SHLoadImageFile(wince::DevicePathFromHost(hostPath).c_str());
  }
  void WriteBytes(const std::string& path, const std::string& bytes) const {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  std::string ReadBytes(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // Loads the layout's image and compares every pixel with the independent expectation.
  void ExpectDecodes(const PngLayout& layout) {
    const std::string path = HostPath("image.png");
    ASSERT_TRUE(WritePng(path, layout));
    HBITMAP bitmap = Load(path);
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    ASSERT_EQ(GetObjectW(bitmap, sizeof info, &info), int(sizeof info));
    EXPECT_EQ(info.bmWidth, layout.width);
    EXPECT_EQ(info.bmHeight, layout.height);
    EXPECT_EQ(info.bmBitsPixel, 32);
    const wince::Surface* surface = wince::BitmapSurface(bitmap);
    ASSERT_NE(surface, nullptr);
    for (int y = 0; y < layout.height; ++y)
      for (int x = 0; x < layout.width; ++x)
        ASSERT_EQ(surface->pixels[y * surface->stride + x], ExpectedPixel(layout, x, y))
            << "pixel " << x << "," << y;
    EXPECT_TRUE(DeleteObject(bitmap));
  }

  std::string dir_;
};

std::vector<png_color> Palette(int entries) {
  std::vector<png_color> palette;
  for (int i = 0; i < entries; ++i)
    palette.push_back({png_byte(i * 37 + 11), png_byte(255 - i * 13), png_byte(i * 91)});
  return palette;
}

struct Format {
  int colorType;
  int bitDepth;
};

// Every colour type at every depth it allows, progressive and interlaced.
TEST_F(WinceShellImageTest, DecodesEveryColourTypeAndDepthExactly) {
  const Format formats[] = {
      {PNG_COLOR_TYPE_GRAY, 1},       {PNG_COLOR_TYPE_GRAY, 2},       {PNG_COLOR_TYPE_GRAY, 4},
      {PNG_COLOR_TYPE_GRAY, 8},       {PNG_COLOR_TYPE_GRAY, 16},      {PNG_COLOR_TYPE_GRAY_ALPHA, 8},
      {PNG_COLOR_TYPE_GRAY_ALPHA, 16}, {PNG_COLOR_TYPE_PALETTE, 1},   {PNG_COLOR_TYPE_PALETTE, 2},
      {PNG_COLOR_TYPE_PALETTE, 4},    {PNG_COLOR_TYPE_PALETTE, 8},    {PNG_COLOR_TYPE_RGB, 8},
      {PNG_COLOR_TYPE_RGB, 16},       {PNG_COLOR_TYPE_RGBA, 8},       {PNG_COLOR_TYPE_RGBA, 16},
  };
  for (const Format& format : formats) {
    for (bool interlaced : {false, true}) {
      SCOPED_TRACE(::testing::Message() << "colour type " << format.colorType << ", depth "
                                        << format.bitDepth << ", interlaced " << interlaced);
      PngLayout layout;
      layout.width = 13;  // odd sizes leave partial bytes and partial interlace passes
      layout.height = 11;
      layout.colorType = format.colorType;
      layout.bitDepth = format.bitDepth;
      layout.interlaced = interlaced;
      if (format.colorType == PNG_COLOR_TYPE_PALETTE)
        layout.palette = Palette(std::min(256, 1 << format.bitDepth));
      ExpectDecodes(layout);
    }
  }
}

// Transparency is composited over black: tRNS entries of a palette, and the one key
// colour of gray and RGB images.
TEST_F(WinceShellImageTest, KeepsTransparencyAsPremultipliedAlpha) {
  for (int depth : {1, 2, 4, 8}) {
    SCOPED_TRACE(::testing::Message() << "palette depth " << depth);
    PngLayout layout;
    layout.colorType = PNG_COLOR_TYPE_PALETTE;
    layout.bitDepth = depth;
    layout.palette = Palette(1 << depth);
    layout.paletteAlpha = {0, 128};  // shorter than the palette: the rest is opaque
    ExpectDecodes(layout);
  }
  for (int depth : {1, 2, 4, 8, 16}) {
    SCOPED_TRACE(::testing::Message() << "gray key, depth " << depth);
    PngLayout layout;
    layout.colorType = PNG_COLOR_TYPE_GRAY;
    layout.bitDepth = depth;
    layout.keyColor = true;
    layout.key.gray = png_uint_16((1u << depth) - 1);
    ExpectDecodes(layout);
  }
  for (int depth : {8, 16}) {
    SCOPED_TRACE(::testing::Message() << "RGB key, depth " << depth);
    PngLayout layout;
    layout.colorType = PNG_COLOR_TYPE_RGB;
    layout.bitDepth = depth;
    layout.keyColor = true;
    const png_uint_16 max = png_uint_16((1u << depth) - 1);
    layout.key.red = layout.key.green = layout.key.blue = max;
    ExpectDecodes(layout);
  }
}

TEST_F(WinceShellImageTest, MagentaKeyedIconKeepsItsKeyExactly) {
  PngLayout layout;
  layout.colorType = PNG_COLOR_TYPE_PALETTE;
  layout.bitDepth = 1;
  layout.palette = {{255, 0, 255}, {10, 20, 30}};
  ExpectDecodes(layout);
}

TEST_F(WinceShellImageTest, FindsTheFileWithoutRegardToCase) {
  PngLayout layout;
  ASSERT_TRUE(WritePng(HostPath("Pic_TopBar_App.png"), layout));
  HBITMAP bitmap = Load(HostPath("PIC_topbar_app.PNG"));
  EXPECT_NE(bitmap, nullptr);
  DeleteObject(bitmap);
}

// A header that declares the given size, with valid CRCs, followed by nothing else.
std::string HeaderOnlyPng(uint32_t width, uint32_t height) {
  PngLayout layout;
  std::string path = "/tmp/wince_image_header_" + std::to_string(getpid()) + ".png";
  EXPECT_TRUE(WritePng(path, layout));
  std::ifstream in(path, std::ios::binary);
  std::string bytes(std::istreambuf_iterator<char>(in), {});
  fs::remove(path);
  // Signature (8), IHDR length and type (8), then width and height.
  std::string ihdr = bytes.substr(0, 33);
  for (int i = 0; i < 4; ++i) {
    ihdr[16 + i] = char(width >> (24 - 8 * i));
    ihdr[20 + i] = char(height >> (24 - 8 * i));
  }
  const uint32_t crc = uint32_t(crc32(0, reinterpret_cast<const Bytef*>(ihdr.data() + 12), 17));
  for (int i = 0; i < 4; ++i) ihdr[29 + i] = char(crc >> (24 - 8 * i));
  return ihdr + bytes.substr(33);
}

TEST_F(WinceShellImageTest, RefusesMissingEmptyAndNonPngFiles) {
  EXPECT_EQ(SHLoadImageFile(nullptr), nullptr);
  EXPECT_EQ(Load(HostPath("missing.png")), nullptr);
  EXPECT_EQ(Load(dir_), nullptr);  // a folder
  WriteBytes(HostPath("empty.png"), "");
  EXPECT_EQ(Load(HostPath("empty.png")), nullptr);
  WriteBytes(HostPath("sound.png"), std::string("RIFF\x24\0\0\0WAVEfmt ", 16));
  EXPECT_EQ(Load(HostPath("sound.png")), nullptr);
}

// Every prefix of a valid file is refused; none crashes or leaks (run under ASan).
TEST_F(WinceShellImageTest, RefusesEveryTruncationOfAValidFile) {
  PngLayout layout;
  layout.colorType = PNG_COLOR_TYPE_RGBA;
  layout.interlaced = true;
  ASSERT_TRUE(WritePng(HostPath("whole.png"), layout));
  const std::string bytes = ReadBytes(HostPath("whole.png"));
  const std::string cut = HostPath("cut.png");
  // The final 12 bytes are the IEND chunk, which the image does not need.
  for (size_t length = 0; length + 12 < bytes.size(); ++length) {
    WriteBytes(cut, bytes.substr(0, length));
    EXPECT_EQ(Load(cut), nullptr) << "length " << length;
  }
}

TEST_F(WinceShellImageTest, RefusesDamagedImageData) {
  PngLayout layout;
  ASSERT_TRUE(WritePng(HostPath("whole.png"), layout));
  std::string bytes = ReadBytes(HostPath("whole.png"));
  const size_t idat = bytes.find("IDAT");
  ASSERT_NE(idat, std::string::npos);
  for (size_t offset : {idat + 4, idat + 6, idat + 10}) {
    std::string damaged = bytes;
    damaged[offset] = char(damaged[offset] ^ 0x5A);
    WriteBytes(HostPath("damaged.png"), damaged);
    EXPECT_EQ(Load(HostPath("damaged.png")), nullptr) << "offset " << offset;
  }
}

// A few bytes that declare a vast image are refused before any pixel memory is taken.
TEST_F(WinceShellImageTest, RefusesImagesBeyondThePixelLimits) {
  const struct {
    uint32_t width, height;
  } sizes[] = {{100000, 100000}, {16385, 1}, {1, 16385}, {8193, 8193}, {0x7FFFFFFF, 1}};
  for (const auto& size : sizes) {
    WriteBytes(HostPath("bomb.png"), HeaderOnlyPng(size.width, size.height));
    EXPECT_EQ(Load(HostPath("bomb.png")), nullptr) << size.width << " x " << size.height;
  }
}

// A chunk as it is stored: length, type, data and CRC; declared overrides the length.
std::string Chunk(const std::string& type, const std::string& data, int64_t declared = -1) {
  const uint32_t length = declared < 0 ? uint32_t(data.size()) : uint32_t(declared);
  std::string chunk;
  for (int i = 0; i < 4; ++i) chunk += char(length >> (24 - 8 * i));
  chunk += type + data;
  const uint32_t crc = uint32_t(crc32(0, reinterpret_cast<const Bytef*>(chunk.data() + 4), uInt(chunk.size() - 4)));
  for (int i = 0; i < 4; ++i) chunk += char(crc >> (24 - 8 * i));
  return chunk;
}

// The peak resident memory of this process so far, in MB.
long PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

// Files that declare more than they hold, or carry chunks the image does not need: each
// is refused or decoded without the memory its chunks claim.
TEST_F(WinceShellImageTest, BadInputCostsNoMoreMemoryThanTheImage) {
  PngLayout layout;
  ASSERT_TRUE(WritePng(HostPath("whole.png"), layout));
  const std::string whole = ReadBytes(HostPath("whole.png"));
  const std::string head = whole.substr(0, 33);  // signature and IHDR
  const std::string rest = whole.substr(33);
  const struct {
    const char* what;
    std::string bytes;
    bool loads;
  } rows[] = {
      {"tEXt of 1 GB in 41 bytes", head + Chunk("tEXt", "", 1u << 30).substr(0, 8), false},
      {"zTXt of 2 GB in 41 bytes", head + Chunk("zTXt", "", 0x7FFFFFFF).substr(0, 8), false},
      {"iTXt of 2 GB in 41 bytes", head + Chunk("iTXt", "", 0x7FFFFFFF).substr(0, 8), false},
      {"eXIf of 1.5 GB in 41 bytes", head + Chunk("eXIf", "", 0x60000000).substr(0, 8), false},
      {"iCCP of 2 GB in 41 bytes", head + Chunk("iCCP", "", 0x7FFFFFFF).substr(0, 8), false},
      {"private chunk of 2 GB", head + Chunk("prVt", "", 0x7FFFFFFF).substr(0, 8), false},
      {"length beyond 31 bits", head + Chunk("tEXt", "", 0x80000000).substr(0, 8), false},
      {"IDAT of 2 GB", head + Chunk("IDAT", "", 0x7FFFFFFF).substr(0, 8), false},
      {"9 MB of text before the image", head + Chunk("tEXt", "Comment" + std::string(1, '\0') + std::string(9 << 20, 'x')) + rest, true},
      {"damaged text before the image", head + Chunk("zTXt", "k\0\0garbage") + rest, true},
      {"unknown critical chunk", head + Chunk("CRIT", "data") + rest, false},
  };
  for (const auto& row : rows) {
    WriteBytes(HostPath("bad.png"), row.bytes);
    const long before = PeakMegabytes();
    HBITMAP bitmap = Load(HostPath("bad.png"));
    EXPECT_LT(PeakMegabytes() - before, 32) << row.what;
    EXPECT_EQ(bitmap != nullptr, row.loads) << row.what;
    if (bitmap) EXPECT_TRUE(DeleteObject(bitmap));
  }
}

}  // namespace
