// A white memory bitmap to draw text into, and ways to look at the ink.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include <windows.h>

#include "common/surface.h"

namespace text_test {

constexpr WCHAR kSkinFace[] = TEXT("HelveticaNeue LT 35 Thin");

inline HFONT MakeFont(int height, int weight = FW_MEDIUM, const WCHAR* face = kSkinFace) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfCharSet = EASTEUROPE_CHARSET;
  lf.lfOutPrecision = OUT_RASTER_PRECIS;
  lf.lfQuality = CLEARTYPE_QUALITY;
  for (int i = 0; face[i] && i < LF_FACESIZE - 1; ++i) lf.lfFaceName[i] = face[i];
  return CreateFontIndirectW(&lf);
}

struct Box {
  int left, top, right, bottom;  // right and bottom exclusive; empty when left >= right
  bool operator==(const Box&) const = default;
};

class TextCanvas : public ::testing::Test {
 protected:
  static constexpr int kWidth = 240;
  static constexpr int kHeight = 120;
  static constexpr uint32_t kWhite = 0xFFFFFF;

  void SetUp() override {
    dc_ = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc_, nullptr);
    bitmap_ = CreateCompatibleBitmap(dc_, kWidth, kHeight);
    ASSERT_NE(bitmap_, nullptr);
    previousBitmap_ = SelectObject(dc_, bitmap_);
    surface_ = wince::BitmapSurface(bitmap_);
    ASSERT_NE(surface_, nullptr);
    Clear();
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, RGB(0, 0, 0));
  }
  void TearDown() override {
    SelectObject(dc_, previousBitmap_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }

  void Clear() {
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) Pixel(x, y) = kWhite;
  }
  uint32_t& Pixel(int x, int y) { return surface_->pixels[y * surface_->stride + x]; }

  // The bounding box of every pixel that is not white.
  Box Ink() {
    Box box{kWidth, kHeight, 0, 0};
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        if (Pixel(x, y) != kWhite) {
          box.left = std::min(box.left, x);
          box.top = std::min(box.top, y);
          box.right = std::max(box.right, x + 1);
          box.bottom = std::max(box.bottom, y + 1);
        }
    return box;
  }

  std::vector<uint32_t> Snapshot() {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) pixels.push_back(Pixel(x, y));
    return pixels;
  }

  int Draw(const WCHAR* text, RECT rect, UINT format) {
    return DrawTextW(dc_, text, -1, &rect, format);
  }

  SIZE Extent(const WCHAR* text, int count = -1) {
    SIZE size{};
    EXPECT_TRUE(GetTextExtentPoint32W(dc_, text, count < 0 ? int(wcslen(text)) : count, &size));
    return size;
  }

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previousBitmap_ = nullptr;
  wince::Surface* surface_ = nullptr;
};

}  // namespace text_test
