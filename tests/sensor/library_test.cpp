// The exported entry points of the stand-in and the choice of its source.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include <windows.h>

extern "C" HANDLE HTCSensorOpen(DWORD sensorKind);
extern "C" DWORD HTCSensorGetDataOutput(HANDLE sensor, void* sample);
extern "C" DWORD HTCSensorClose(HANDLE sensor);

namespace {

struct Sample {
  int16_t x, y, z;
  uint8_t rest[14];
};

class Library : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/sensor-XXXXXX";
    folder = mkdtemp(pattern);
    setenv("WINCE_IIO_ROOT", folder.c_str(), 1);  // no accelerometer unless a test adds one
  }
  void TearDown() override {
    for (const char* name : {"WINCE_SENSOR", "WINCE_SENSOR_TRACE", "WINCE_IIO_ROOT"}) unsetenv(name);
    std::filesystem::remove_all(folder);
  }

  static Sample Read(HANDLE sensor, DWORD expectedResult = 1) {
    Sample sample;
    memset(&sample, 0x55, sizeof sample);
    EXPECT_EQ(expectedResult, HTCSensorGetDataOutput(sensor, &sample));
    for (uint8_t b : sample.rest) EXPECT_EQ(0, b);
    return sample;
  }

  std::string WriteTrace() {
    std::string path = folder + "/trace.csv";
    std::ofstream(path) << "0,1,2,-1000\n100,900,0,-1000\n";
    return path;
  }

  std::string folder;
};

TEST_F(Library, TheChosenSourceWins) {
  setenv("WINCE_SENSOR_TRACE", WriteTrace().c_str(), 1);
  std::filesystem::create_directories(folder + "/iio:device0");
  std::ofstream(folder + "/iio:device0/in_accel_x_raw") << "0";
  std::ofstream(folder + "/iio:device0/in_accel_y_raw") << "-500";
  std::ofstream(folder + "/iio:device0/in_accel_z_raw") << "1000";
  std::ofstream(folder + "/iio:device0/in_accel_scale") << "0.00980665";

  struct Case {
    const char* choice;
    int16_t y;
  } cases[] = {{nullptr, 2}, {"trace", 2}, {"iio", 500}, {"keyboard", 0}, {"none", 0}, {"bogus", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.choice ? c.choice : "unset");
    if (c.choice) setenv("WINCE_SENSOR", c.choice, 1);
    HANDLE sensor = HTCSensorOpen(1);
    Sample sample = Read(sensor);
    EXPECT_EQ(c.y, sample.y);
    EXPECT_EQ(-1000, sample.z);
    HTCSensorClose(sensor);
  }

  // Without a trace the accelerometer comes first; a chosen source that is not there
  // reads a phone at rest.
  unsetenv("WINCE_SENSOR");
  unsetenv("WINCE_SENSOR_TRACE");
  HANDLE sensor = HTCSensorOpen(1);
  EXPECT_EQ(500, Read(sensor).y);
  HTCSensorClose(sensor);
  setenv("WINCE_SENSOR", "trace", 1);
  sensor = HTCSensorOpen(1);
  EXPECT_EQ(0, Read(sensor).y);
  EXPECT_EQ(-1000, Read(sensor).z);
  HTCSensorClose(sensor);
}

TEST_F(Library, RefusesHandlesItDidNotGive) {
  setenv("WINCE_SENSOR", "none", 1);
  HANDLE sensor = HTCSensorOpen(1);
  EXPECT_EQ(1u, HTCSensorClose(sensor));
  Sample sample = Read(sensor, 0);
  EXPECT_EQ(0, sample.z);
  EXPECT_EQ(0u, HTCSensorClose(sensor));
  EXPECT_EQ(0u, HTCSensorGetDataOutput(nullptr, nullptr));
}

}  // namespace
