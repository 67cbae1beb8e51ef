// An IIO accelerometer whose attribute files hold any bytes: the input is split at NUL
// bytes into the files below, in order (fewer parts leave the rest missing).
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "scratch.h"
#include "sensor/Sources.h"

namespace {

const char* const kFiles[] = {"in_accel_x_raw",    "in_accel_y_raw",    "in_accel_z_raw",
                              "in_accel_scale",    "in_accel_x_offset", "in_accel_y_scale",
                              "in_accel_mount_matrix"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string root = fuzz::ScratchFolder() + "/iio";
  static const std::string device = root + "/iio:device0";
  static const bool made = mkdir(root.c_str(), 0700) == 0 && mkdir(device.c_str(), 0700) == 0;
  if (!made) return 0;
  const uint8_t* part = data;
  const uint8_t* end = data + size;
  for (const char* name : kFiles) {
    const std::string path = device + "/" + name;
    if (part > end) {
      unlink(path.c_str());
      continue;
    }
    const uint8_t* stop = std::find(part, end, uint8_t(0));
    fuzz::WriteFile(path, part, size_t(stop - part));
    part = stop + 1;
  }
  if (auto iio = sensor::IioSource::Find(root)) iio->Read(0);
  return 0;
}
