// SHLoadImageFile on any bytes: a bitmap or NULL, within bounded memory.
#include <aygshell.h>
#include <windows.h>

#include "files/paths.h"
#include "scratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = fuzz::ScratchFolder() + "/image.png";
  static const std::u16string device = wince::DevicePathFromHost(path);
  fuzz::WriteFile(path, data, size);
  if (HBITMAP bitmap = SHLoadImageFile(device.c_str())) DeleteObject(bitmap);
  return 0;
}
