// The .bmp and .ico decoders of the executable's resources on any bytes.
#include <cstdlib>

#include "resources/dib.h"

namespace {

void Check(const wince::DecodedDib& image) {
  if (image.pixels.size() != size_t(image.width) * size_t(image.height)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  wince::DecodedDib bitmap, icon;
  if (wince::DecodeBmpFile(data, size, &bitmap)) Check(bitmap);
  if (wince::DecodeIconFile(data, size, &icon)) Check(icon);
  return 0;
}
