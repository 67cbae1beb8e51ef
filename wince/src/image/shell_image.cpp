// SHLoadImageFile: the shell's loader of image files into bitmaps.
#include "image/png_decode.h"

#include <aygshell.h>

#include "common/surface.h"
#include "files/paths.h"

HBITMAP SHLoadImageFile(LPCTSTR fileName) {
  std::string hostPath;
  if (!fileName || !wince::HostPathFromDevice(fileName, &hostPath)) return nullptr;
  wince::DecodedImage image;
  if (!wince::DecodePngFile(hostPath, &image)) return nullptr;
  // A DIB section, as the shell's loader gives: with a PNG's transparency as premultiplied
  // alpha, which AlphaBlend with AC_SRC_ALPHA draws.
  return wince::CreateDibSectionFromPixels(image.width, image.height, image.pixels.data());
}
