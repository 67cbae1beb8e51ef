#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <sstream>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include "sensor/Sources.h"

namespace sensor {

namespace {

constexpr double kStandardGravity = 9.80665;  // m/s^2 per g
const char* const kAxes[3] = {"x", "y", "z"};
// From IIO's device frame (Y up the screen, Z out of it) to the screen's axes.
constexpr double kScreenSign[3] = {1, -1, -1};

// A sysfs attribute is at most a page; a larger file is not one, and is refused after
// reading no more than that.
constexpr size_t kMaxAttributeBytes = 4096;

bool ReadAttribute(const std::string& path, std::string* text) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char buffer[kMaxAttributeBytes + 1];
  size_t length = 0;
  ssize_t n;
  while (length < sizeof buffer && (n = read(fd, buffer + length, sizeof buffer - length)) != 0) {
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;
    length += size_t(n);
  }
  close(fd);
  if (length > kMaxAttributeBytes) return false;
  text->assign(buffer, length);
  return true;
}

bool ReadNumber(const std::string& path, double* value) {
  std::string text;
  if (!ReadAttribute(path, &text)) return false;
  std::istringstream file(text);
  double number;
  if (!(file >> number)) return false;
  *value = number;
  return true;
}

bool FileExists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

// "a, b, c; d, e, f; g, h, i": nine numbers, row by row, on the first line.
bool ReadMatrix(const std::string& path, double matrix[3][3]) {
  std::string text;
  if (!ReadAttribute(path, &text)) return false;
  text = text.substr(0, text.find('\n'));
  std::replace(text.begin(), text.end(), ',', ' ');
  std::replace(text.begin(), text.end(), ';', ' ');
  std::istringstream numbers(text);
  double values[9];
  for (double& v : values)
    if (!(numbers >> v)) return false;
  std::string rest;
  if (numbers >> rest) return false;
  for (int i = 0; i < 9; ++i) matrix[i / 3][i % 3] = values[i];
  return true;
}

// iio:deviceN folders in the order of N.
std::vector<std::string> DeviceFolders(const std::string& root) {
  std::vector<std::pair<long, std::string>> devices;
  if (DIR* dir = opendir(root.c_str())) {
    while (const dirent* entry = readdir(dir)) {
      std::string name = entry->d_name;
      const std::string prefix = "iio:device";
      if (name.compare(0, prefix.size(), prefix) != 0) continue;
      char* end;
      long number = strtol(name.c_str() + prefix.size(), &end, 10);
      if (*end == 0 && end != name.c_str() + prefix.size()) devices.emplace_back(number, root + "/" + name);
    }
    closedir(dir);
  }
  std::sort(devices.begin(), devices.end());
  std::vector<std::string> folders;
  for (auto& device : devices) folders.push_back(device.second);
  return folders;
}

}  // namespace

std::unique_ptr<IioSource> IioSource::Find(const std::string& root) {
  for (const std::string& folder : DeviceFolders(root)) {
    auto source = std::unique_ptr<IioSource>(new IioSource);
    double sharedScale = 0, sharedOffset = 0;
    bool hasSharedScale = ReadNumber(folder + "/in_accel_scale", &sharedScale);
    ReadNumber(folder + "/in_accel_offset", &sharedOffset);
    bool usable = true;
    for (int axis = 0; axis < 3; ++axis) {
      std::string prefix = folder + "/in_accel_" + kAxes[axis];
      source->axisRaw_[axis] = prefix + "_raw";
      bool hasScale = ReadNumber(prefix + "_scale", &source->scale_[axis]);
      if (!hasScale) source->scale_[axis] = sharedScale;
      if (!ReadNumber(prefix + "_offset", &source->offset_[axis])) source->offset_[axis] = sharedOffset;
      usable = usable && (hasScale || hasSharedScale) && FileExists(source->axisRaw_[axis]);
    }
    if (!usable) continue;
    if (!ReadMatrix(folder + "/in_accel_mount_matrix", source->matrix_))
      ReadMatrix(folder + "/mount_matrix", source->matrix_);
    return source;
  }
  return nullptr;
}

Reading IioSource::Read(DWORD) {
  double sensorFrame[3];
  for (int axis = 0; axis < 3; ++axis) {
    double raw;
    // A device that went away keeps its last reading.
    if (!ReadNumber(axisRaw_[axis], &raw)) return last_;
    sensorFrame[axis] = (raw + offset_[axis]) * scale_[axis];
  }
  int16_t milliG[3];
  for (int row = 0; row < 3; ++row) {
    double deviceFrame = 0;
    for (int column = 0; column < 3; ++column) deviceFrame += matrix_[row][column] * sensorFrame[column];
    milliG[row] = ClampReading(kScreenSign[row] * deviceFrame / kStandardGravity * 1000.0);
  }
  last_ = {milliG[0], milliG[1], milliG[2]};
  return last_;
}

}  // namespace sensor
