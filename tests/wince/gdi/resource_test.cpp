// LoadBitmapW and LoadIconW: the resources embedded from res/, and the decoder on
// made-up and damaged files.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "canvas.h"
#include "resources/icon.h"
#include "resources/resources.h"

namespace {

BITMAP Info(HBITMAP bitmap) {
  BITMAP info = {};
  GetObjectW(bitmap, sizeof info, &info);
  return info;
}

TEST(GdiResources, EmbeddedBitmapsKeepTheirSizeAndDepth) {
  struct Expected { int id, width, height, bits; };
  const Expected all[] = {{102, 480, 480, 24}, {103, 380, 40, 8}, {104, 184, 52, 8}, {105, 184, 52, 8}};
  for (const Expected& e : all) {
    HBITMAP bitmap = LoadBitmapW(nullptr, MAKEINTRESOURCE(e.id));
    ASSERT_NE(bitmap, nullptr) << e.id;
    BITMAP info = Info(bitmap);
    EXPECT_EQ(info.bmWidth, e.width) << e.id;
    EXPECT_EQ(info.bmHeight, e.height) << e.id;
    EXPECT_EQ(info.bmBitsPixel, e.bits) << e.id;
    EXPECT_EQ(info.bmWidthBytes, (e.width * e.bits + 15) / 16 * 2) << e.id;
    EXPECT_TRUE(DeleteObject(bitmap));
  }
  EXPECT_EQ(LoadBitmapW(nullptr, MAKEINTRESOURCE(101)), nullptr);  // an icon, not a bitmap
  EXPECT_EQ(LoadBitmapW(nullptr, MAKEINTRESOURCE(999)), nullptr);
  EXPECT_EQ(LoadBitmapW(nullptr, TEXT("Splash")), nullptr);
  EXPECT_EQ(LoadBitmapW(reinterpret_cast<HINSTANCE>(0x777000), MAKEINTRESOURCE(102)), nullptr);
}

TEST(GdiResources, EmbeddedIconTakesTheThirtyTwoPixelImage) {
  HICON icon = LoadIconW(nullptr, MAKEINTRESOURCE(101));
  ASSERT_NE(icon, nullptr);
  const wince::Icon* image = wince::LookupIcon(icon);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->width, 32);
  EXPECT_EQ(image->height, 32);
  EXPECT_EQ(image->pixels.size(), 32u * 32u);
  EXPECT_EQ(LoadIconW(nullptr, MAKEINTRESOURCE(102)), nullptr);
  EXPECT_FALSE(DeleteObject(icon));  // icons go through DestroyIcon
  EXPECT_TRUE(DestroyIcon(icon));
  EXPECT_FALSE(DestroyIcon(icon));
}

void Put16(std::vector<uint8_t>& b, size_t at, uint16_t v) { std::memcpy(&b[at], &v, 2); }
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) { std::memcpy(&b[at], &v, 4); }

// A BI_RGB .bmp file: headers, palette, then rows as given (padding included).
std::vector<uint8_t> Bmp(int width, int height, int bits, const std::vector<uint32_t>& palette,
                         const std::vector<uint8_t>& rows) {
  size_t offset = 14 + 40 + palette.size() * 4;
  std::vector<uint8_t> b(offset + rows.size(), 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, uint32_t(b.size()));
  Put32(b, 10, uint32_t(offset));
  Put32(b, 14, 40);
  Put32(b, 18, uint32_t(width));
  Put32(b, 22, uint32_t(height));
  Put16(b, 26, 1);
  Put16(b, 28, uint16_t(bits));
  Put32(b, 46, uint32_t(palette.size()));
  for (size_t i = 0; i < palette.size(); ++i) Put32(b, 54 + i * 4, palette[i]);
  std::memcpy(&b[offset], rows.data(), rows.size());
  return b;
}

class GdiMadeUpResources : public ::testing::Test {
 protected:
  // Registers data under a fresh id and loads it.
  HBITMAP Load(std::vector<uint8_t> data) {
    static std::vector<std::vector<uint8_t>>* kept = new std::vector<std::vector<uint8_t>>;
    static int next = 5000;
    kept->push_back(std::move(data));
    entry_ = {wince::ResourceKind::Bitmap, next++, kept->back().data(), kept->back().size()};
    wince::RegisterResources(&entry_, 1);
    return LoadBitmapW(nullptr, MAKEINTRESOURCE(entry_.id));
  }
  wince::ResourceEntry entry_;
};

TEST_F(GdiMadeUpResources, EightBitBottomUpUsesThePalette) {
  // 3x2, rows bottom-up, each padded to 4 bytes; index 3 is past the 3-entry palette.
  HBITMAP bitmap = Load(Bmp(3, 2, 8, {0x00FF0000, 0x0000FF00, 0x000000FF}, {2, 1, 0, 0, 0, 1, 3, 0}));
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(Info(bitmap).bmBitsPixel, 8);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));  // top row = last stored row
  EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(dc, 2, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 0, 1), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 2, 1), RGB(255, 0, 0));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
}

TEST_F(GdiMadeUpResources, TwentyFourBitTopDownKeepsRowPadding) {
  // 2x2 top-down (negative height): rows of 6 bytes padded to 8, blue green red.
  HBITMAP bitmap = Load(Bmp(2, -2, 24, {}, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}));
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(Info(bitmap).bmBitsPixel, 24);
  EXPECT_EQ(Info(bitmap).bmHeight, 2);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(3, 2, 1));
  EXPECT_EQ(GetPixel(dc, 1, 0), RGB(6, 5, 4));
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(12, 11, 10));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
}

TEST_F(GdiMadeUpResources, DamagedFilesGiveNoBitmap) {
  std::vector<uint8_t> good = Bmp(2, 2, 24, {}, std::vector<uint8_t>(16, 0x80));
  EXPECT_NE(Load(good), nullptr);
  EXPECT_EQ(Load(std::vector<uint8_t>(good.begin(), good.end() - 1)), nullptr);  // truncated pixels
  EXPECT_EQ(Load(std::vector<uint8_t>(good.begin(), good.begin() + 20)), nullptr);  // truncated header
  EXPECT_EQ(Load({}), nullptr);
  std::vector<uint8_t> bad = good;
  bad[0] = 'X';
  EXPECT_EQ(Load(bad), nullptr);
  bad = good;
  Put32(bad, 18, 0x7FFFFFFF);  // absurd width
  EXPECT_EQ(Load(bad), nullptr);
  bad = good;
  Put32(bad, 10, 0xFFFFFFF0);  // pixels past the end
  EXPECT_EQ(Load(bad), nullptr);
  bad = good;
  Put32(bad, 30, 1);  // compressed
  EXPECT_EQ(Load(bad), nullptr);
  bad = Bmp(2, 2, 8, {0, 0}, std::vector<uint8_t>(8, 0));
  Put32(bad, 46, 100000);  // a palette longer than the file
  EXPECT_EQ(Load(bad), nullptr);
}

TEST(GdiResources, DamagedIconsGiveNoIcon) {
  static const uint8_t notAnIcon[] = {0, 0, 1, 0, 9, 0, 1, 2, 3};
  static const uint8_t badImage[] = {0, 0, 1, 0, 1, 0, 32, 32, 0, 0, 1, 0, 32, 0,
                                     200, 0, 0, 0, 22, 0, 0, 0, 40, 0, 0, 0};
  static const wince::ResourceEntry entries[] = {
      {wince::ResourceKind::Icon, 7001, notAnIcon, sizeof notAnIcon},
      {wince::ResourceKind::Icon, 7002, badImage, sizeof badImage},
  };
  wince::RegisterResources(entries, 2);
  EXPECT_EQ(LoadIconW(nullptr, MAKEINTRESOURCE(7001)), nullptr);
  EXPECT_EQ(LoadIconW(nullptr, MAKEINTRESOURCE(7002)), nullptr);
}

}  // namespace
