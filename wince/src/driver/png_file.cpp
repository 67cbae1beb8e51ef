// Screenshots for tests and tools: bitmaps and window frames as PNG files.
#include <png.h>

#include "driver/frame.h"

namespace wince::test {

Frame CopySurface(const Surface& surface) {
  Frame frame;
  if (!surface.pixels) return frame;
  frame.width = surface.width;
  frame.height = surface.height;
  frame.pixels.reserve(static_cast<size_t>(surface.width) * surface.height);
  for (int y = 0; y < surface.height; ++y) {
    const uint32_t* row = surface.pixels + static_cast<size_t>(y) * surface.stride;
    frame.pixels.insert(frame.pixels.end(), row, row + surface.width);
  }
  return frame;
}

Frame CaptureBitmap(HBITMAP bitmap) {
  const Surface* surface = BitmapSurface(bitmap);
  return surface ? CopySurface(*surface) : Frame();
}

bool SavePng(const Frame& frame, const std::string& path) {
  if (frame.pixels.empty() || frame.pixels.size() != static_cast<size_t>(frame.width) * frame.height)
    return false;
  std::vector<uint8_t> rgb;
  rgb.reserve(frame.pixels.size() * 3);
  for (uint32_t pixel : frame.pixels) {
    rgb.push_back(static_cast<uint8_t>(pixel >> 16));
    rgb.push_back(static_cast<uint8_t>(pixel >> 8));
    rgb.push_back(static_cast<uint8_t>(pixel));
  }
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(frame.width);
  image.height = static_cast<png_uint_32>(frame.height);
  image.format = PNG_FORMAT_RGB;
  bool written = png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
  png_image_free(&image);
  return written;
}

}  // namespace wince::test
