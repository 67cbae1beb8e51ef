#include "temp_folder.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "common/utf.h"
#include "files/paths.h"

TempFolder::TempFolder(const std::string& parent) {
  std::string pattern = parent + "/wince-files-XXXXXX";
  host_ = mkdtemp(pattern.data());
}

TempFolder::~TempFolder() { std::filesystem::remove_all(host_); }

std::u16string TempFolder::Device(const std::string& relative) const {
  std::u16string device = wince::DevicePathFromHost(host_);
  if (relative.empty()) return device;
  std::u16string rest = wince::FromUtf8(relative);
  std::replace(rest.begin(), rest.end(), u'/', u'\\');
  return device + u"\\" + rest;
}

void TempFolder::Make(const std::string& relative, size_t size) const {
  std::string path = host_ + "/" + relative;
  if (path.back() == '/') {
    std::filesystem::create_directories(path);
    return;
  }
  std::ofstream(path) << std::string(size, 'x');
}
