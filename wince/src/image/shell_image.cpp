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
  return wince::CreateBitmapFromPixels(image.width, image.height, 32, image.pixels.data());
}
