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

// The first line of a text attribute, without its line end.
std::string ReadWord(const std::string& path) {
  std::string text;
  if (!ReadAttribute(path, &text)) return "";
  return text.substr(0, text.find_first_of("\r\n"));
}

// An axis's scale or offset: its own, or one that IIO shares by type (in_accel_),
// direction (in_) or over the whole device (no prefix), the nearest first.
bool ReadShared(const std::string& folder, int axis, const std::string& what, double* value) {
  const std::string names[] = {std::string("in_accel_") + kAxes[axis] + "_" + what, "in_accel_" + what, "in_" + what, what};
  for (const std::string& name : names)
    if (ReadNumber(folder + "/" + name, value)) return true;
  return false;
}

// IIO names the matrix after what it applies to: the accelerometer (shared by type), every
// input channel (shared by direction), or the whole device.
const char* const kMatrixNames[] = {"in_accel_mount_matrix", "in_mount_matrix", "mount_matrix"};

// Where an accelerometer sits, from the standard labels of convertibles and the location
// attribute of the ones that report one. The screen's axes are those of the display.
enum class Place { Display, Unknown, Base };

Place PlaceOf(const std::string& folder) {
  std::string label = ReadWord(folder + "/label");
  std::string location = ReadWord(folder + "/location");
  if (label == "accel-display" || location == "lid" || location == "display") return Place::Display;
  if (label == "accel-base" || location == "base") return Place::Base;
  return Place::Unknown;
}

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

std::unique_ptr<IioSource> IioSource::Open(const std::string& folder) {
  auto source = std::unique_ptr<IioSource>(new IioSource);
  for (int axis = 0; axis < 3; ++axis) {
    source->axisRaw_[axis] = folder + "/in_accel_" + kAxes[axis] + "_raw";
    if (!FileExists(source->axisRaw_[axis]) || !ReadShared(folder, axis, "scale", &source->scale_[axis])) return nullptr;
    if (!ReadShared(folder, axis, "offset", &source->offset_[axis])) source->offset_[axis] = 0;
  }
  for (const char* name : kMatrixNames)
    if (ReadMatrix(folder + "/" + name, source->matrix_)) break;
  return source;
}

// The display's accelerometer, else the first of unknown place; one in the base never,
// for the base of a convertible folded into a tablet lies upside down under the screen.
std::unique_ptr<IioSource> IioSource::Find(const std::string& root) {
  std::unique_ptr<IioSource> unknown;
  for (const std::string& folder : DeviceFolders(root)) {
    Place place = PlaceOf(folder);
    if (place == Place::Base || (place == Place::Unknown && unknown)) continue;
    auto source = Open(folder);
    if (!source) continue;
    if (place == Place::Display) return source;
    unknown = std::move(source);
  }
  return unknown;
}

Reading IioSource::Read(DWORD tick) {
  // The three detectors' timers fall due together and read one after another: they share
  // the device's reading of that moment instead of reading every attribute again.
  if (haveLast_ && DWORD(tick - lastTick_) < kSameTickMs) return last_;
  haveLast_ = true;
  lastTick_ = tick;
  double sensorFrame[3];
  for (int axis = 0; axis < 3; ++axis) {
    double raw;
    // A device that went away (unplugged, its driver unloaded) is a sensor at rest: a
    // reading kept from the middle of a shake would hold the detectors in it for ever.
    if (!ReadNumber(axisRaw_[axis], &raw)) return last_ = kAtRest;
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
