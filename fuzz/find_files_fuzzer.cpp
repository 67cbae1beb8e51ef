// FindFirstFileW and FindNextFileW with any pattern (UTF-16) in a folder of a few files.
#include <sys/stat.h>

#include <cstring>
#include <string>

#include <windows.h>

#include "files/paths.h"
#include "scratch.h"

namespace {

const std::u16string& Folder() {
  static const std::u16string folder = [] {
    const std::string host = fuzz::ScratchFolder() + "/files";
    mkdir(host.c_str(), 0700);
    mkdir((host + "/Sub").c_str(), 0700);
    for (const char* name : {"Bell.wav", "bell.WAV.bak", "a b.txt", "\xC3\xBCn\xC3\xAF.png", "x.y.z", ".hidden", "noext"})
      fuzz::WriteFile(host + "/" + name, reinterpret_cast<const uint8_t*>("x"), 1);
    return wince::DevicePathFromHost(host) + u"\\";
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string pattern(size / 2, u'\0');
  std::memcpy(pattern.data(), data, pattern.size() * 2);
  pattern = Folder() + pattern;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW(pattern.c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return 0;
  for (int i = 0; i < 100 && FindNextFileW(find, &found); ++i) {
  }
  FindClose(find);
  return 0;
}
