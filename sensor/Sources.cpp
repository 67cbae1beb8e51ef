#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "sensor/Sources.h"

namespace sensor {

namespace {

std::string Environment(const char* name) {
  const char* value = getenv(name);
  return value ? value : "";
}

std::string IioRoot() {
  std::string root = Environment("WINCE_IIO_ROOT");
  return root.empty() ? "/sys/bus/iio/devices" : root;
}

std::unique_ptr<Source> AtRestBecause(const std::string& reason) {
  fprintf(stderr, "HTCSensorSDK: %s; the sensor reads a phone at rest\n", reason.c_str());
  return std::make_unique<RestSource>();
}

}  // namespace

int16_t ClampReading(double milliG) {
  return int16_t(std::lround(std::clamp(milliG, -32768.0, 32767.0)));
}

std::unique_ptr<Source> ChooseSource(DWORD openTick) {
  std::string choice = Environment("WINCE_SENSOR");
  std::string tracePath = Environment("WINCE_SENSOR_TRACE");
  if (choice == "none") return std::make_unique<RestSource>();
  if (choice == "keyboard") return std::make_unique<KeyboardSource>();
  if (choice == "trace" || (choice.empty() && !tracePath.empty())) {
    std::string problem;
    if (auto trace = TraceSource::Load(tracePath, openTick, &problem)) return trace;
    if (choice == "trace" && tracePath.empty()) return AtRestBecause("WINCE_SENSOR_TRACE names no trace");
    if (choice == "trace") return AtRestBecause("the trace " + tracePath + " (WINCE_SENSOR_TRACE): " + problem);
  }
  if (choice == "iio" || choice.empty()) {
    if (auto iio = IioSource::Find(IioRoot())) return iio;
    if (choice == "iio") return AtRestBecause("no IIO accelerometer found");
  }
  if (!choice.empty() && choice != "trace" && choice != "iio")
    fprintf(stderr, "HTCSensorSDK: unknown WINCE_SENSOR \"%s\"; using the keyboard\n", choice.c_str());
  return std::make_unique<KeyboardSource>();
}

}  // namespace sensor
