// An IIO accelerometer on a fake sysfs tree.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "sensor/Sources.h"

namespace sensor {

void PrintTo(const Reading& r, std::ostream* out) { *out << r.x << ", " << r.y << ", " << r.z; }

}  // namespace sensor

namespace {

using sensor::Reading;

class FakeSysfs : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/iio-XXXXXX";
    root = mkdtemp(pattern);
  }
  void TearDown() override { std::filesystem::remove_all(root); }

  void Put(const std::string& device, const std::string& file, const std::string& text) {
    std::filesystem::create_directories(root + "/" + device);
    std::ofstream(root + "/" + device + "/" + file) << text << "\n";
  }
  // Raw readings of one device; scale 0.00980665 m/s^2 per unit makes a unit one milli-g.
  void Accelerometer(const std::string& device, int x, int y, int z, bool sharedScale = true) {
    Put(device, "in_accel_x_raw", std::to_string(x));
    Put(device, "in_accel_y_raw", std::to_string(y));
    Put(device, "in_accel_z_raw", std::to_string(z));
    if (sharedScale) Put(device, "in_accel_scale", "0.00980665");
  }

  std::string root;
};

TEST_F(FakeSysfs, ReadsOnTheScreensAxes) {
  // IIO: +1 g on Z when the phone lies face up, on Y when it stands upright.
  Accelerometer("iio:device0", 0, 0, 1000);
  auto iio = sensor::IioSource::Find(root);
  ASSERT_NE(nullptr, iio);
  EXPECT_EQ((Reading{0, 0, -1000}), iio->Read(0));
  // Pushed towards the right and towards the top of the screen: +X, -Y.
  Put("iio:device0", "in_accel_x_raw", "250");
  Put("iio:device0", "in_accel_y_raw", "400");
  EXPECT_EQ((Reading{250, -400, -1000}), iio->Read(50));
  Accelerometer("iio:device0", 0, 1000, 0);
  EXPECT_EQ((Reading{0, -1000, 0}), iio->Read(100));
}

// The three detectors read one after another at each tick of their timers: one reading of
// the device serves them all, and the next tick reads it again.
TEST_F(FakeSysfs, ReadsOfOneTickShareTheDevicesReading) {
  Accelerometer("iio:device0", 0, 0, 1000);
  auto iio = sensor::IioSource::Find(root);
  ASSERT_NE(nullptr, iio);
  EXPECT_EQ((Reading{0, 0, -1000}), iio->Read(1000));
  Put("iio:device0", "in_accel_x_raw", "700");
  EXPECT_EQ((Reading{0, 0, -1000}), iio->Read(1000));
  EXPECT_EQ((Reading{0, 0, -1000}), iio->Read(1000 + sensor::IioSource::kSameTickMs - 1));
  EXPECT_EQ((Reading{700, 0, -1000}), iio->Read(1050));
  Put("iio:device0", "in_accel_x_raw", "-700");
  EXPECT_EQ((Reading{-700, 0, -1000}), iio->Read(1050 + sensor::IioSource::kSameTickMs));
  // GetTickCount wraps after 49.7 days; the tick after it is another tick.
  EXPECT_EQ((Reading{-700, 0, -1000}), iio->Read(0xFFFFFFF0u));
  Put("iio:device0", "in_accel_x_raw", "5");
  EXPECT_EQ((Reading{-700, 0, -1000}), iio->Read(0xFFFFFFF2u));
  EXPECT_EQ((Reading{5, 0, -1000}), iio->Read(0x30));
}

// Fake sysfs trees in the shape the drivers give them, with the scale each typically
// reports and a mount matrix under each of IIO's three names. Every chip's raw readings
// are what it measures of 1 g where it sits: the reading must be the screen's, 0, 0, -1000
// with the phone lying face up and 0, -1000, 0 held upright, whatever the chip's turn.
// Of two chips, the one in the display counts; the base's would read upside down.
TEST_F(FakeSysfs, DriversAsLinuxReportsThem) {
  struct Chip {
    std::string device;
    std::vector<std::pair<std::string, std::string>> attributes;  // besides the raw readings
    int faceUp[3];   // in_accel_{x,y,z}_raw, lying face up
    int upright[3];  // and held upright
  };
  const struct {
    const char* what;
    std::vector<Chip> chips;
  } rows[] = {
      {"inv_mpu6050 (PinePhone): 16384 per g at 2 g, a quarter turn, gyro beside it",
       {{"iio:device1",
         {{"name", "mpu6050"}, {"in_accel_scale", "0.000598"}, {"in_anglvel_scale", "0.001064724"},
          {"in_anglvel_x_raw", "-12"}, {"in_mount_matrix", "0, 1, 0; -1, 0, 0; 0, 0, 1"}},
         {0, 0, 16399}, {-16399, 0, 0}}}},
      {"st_accel (Librem 5): 0.061 mg per unit at 2 g, mounted face down",
       {{"iio:device0",
         {{"in_accel_scale", "0.000598"}, {"sampling_frequency", "50"}, {"mount_matrix", "-1, 0, 0; 0, 1, 0; 0, 0, -1"}},
         {0, 0, -16399}, {0, 16399, 0}}}},
      {"bmi160: 16384 per g at 2 g, turned the other quarter",
       {{"iio:device0",
         {{"name", "bmi160"}, {"in_accel_scale", "0.000598"}, {"in_mount_matrix", "0, -1, 0; 1, 0, 0; 0, 0, 1"}},
         {0, 0, 16399}, {16399, 0, 0}}}},
      {"bma400: 512 per g at 4 g, a half turn",
       {{"iio:device0",
         {{"name", "bma400"}, {"in_accel_scale", "0.019153"}, {"in_mount_matrix", "-1, 0, 0; 0, -1, 0; 0, 0, 1"}},
         {0, 0, 512}, {0, -512, 0}}}},
      {"kxcjk-1013 pair of a convertible folded into a tablet: base first, display second",
       {{"iio:device0",
         {{"name", "KIOX020A:00"}, {"label", "accel-base"}, {"in_accel_scale", "0.009582"}},
         {0, 0, -1023}, {0, -1023, 0}},
        {"iio:device1",
         {{"name", "KIOX010A:00"}, {"label", "accel-display"}, {"in_accel_scale", "0.009582"},
          {"in_accel_mount_matrix", "0, -1, 0; -1, 0, 0; 0, 0, -1"}},
         {0, 0, -1023}, {-1023, 0, 0}}}},
      {"a pair that reports its location, one scale for the whole device: base and lid",
       {{"iio:device0", {{"location", "base"}, {"scale", "0.000598"}}, {0, 0, -16399}, {0, -16399, 0}},
        {"iio:device1", {{"location", "lid"}, {"scale", "0.000598"}}, {0, 0, 16399}, {0, 16399, 0}}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    std::filesystem::remove_all(root);
    for (const Chip& chip : row.chips) {
      for (const auto& [file, text] : chip.attributes) Put(chip.device, file, text);
      Accelerometer(chip.device, chip.faceUp[0], chip.faceUp[1], chip.faceUp[2], false);
    }
    auto iio = sensor::IioSource::Find(root);
    ASSERT_NE(nullptr, iio);
    EXPECT_EQ((Reading{0, 0, -1000}), iio->Read(0));
    for (const Chip& chip : row.chips) Accelerometer(chip.device, chip.upright[0], chip.upright[1], chip.upright[2], false);
    EXPECT_EQ((Reading{0, -1000, 0}), iio->Read(50));
  }
  // A base's accelerometer alone is none: it cannot tell how the screen moves.
  std::filesystem::remove_all(root + "/iio:device1");
  EXPECT_EQ(nullptr, sensor::IioSource::Find(root));
}

TEST_F(FakeSysfs, PerAxisScalesAndOffsets) {
  Accelerometer("iio:device0", 10, 20, 500, false);
  Put("iio:device0", "in_accel_x_scale", "0.0980665");   // ten milli-g per unit
  Put("iio:device0", "in_accel_y_scale", "0.00980665");
  Put("iio:device0", "in_accel_z_scale", "0.0196133");   // two milli-g per unit
  Put("iio:device0", "in_accel_offset", "5");
  Put("iio:device0", "in_accel_y_offset", "-20");
  auto iio = sensor::IioSource::Find(root);
  ASSERT_NE(nullptr, iio);
  EXPECT_EQ((Reading{150, 0, -1010}), iio->Read(0));
}

TEST_F(FakeSysfs, MountMatrixTurnsTheSensorIntoThePhone) {
  Accelerometer("iio:device0", 100, 200, 1000);
  Put("iio:device0", "in_accel_mount_matrix", "0, 1, 0; -1, 0, 0; 0, 0, 1");
  auto iio = sensor::IioSource::Find(root);
  ASSERT_NE(nullptr, iio);
  EXPECT_EQ((Reading{200, 100, -1000}), iio->Read(0));

  Accelerometer("iio:device1", 100, 200, 1000);
  Put("iio:device1", "mount_matrix", "-1, 0, 0; 0, -1, 0; 0, 0, -1");
  std::filesystem::remove_all(root + "/iio:device0");
  auto second = sensor::IioSource::Find(root);
  ASSERT_NE(nullptr, second);
  EXPECT_EQ((Reading{-100, 200, 1000}), second->Read(0));
}

TEST_F(FakeSysfs, AGarbledMountMatrixIsIgnored) {
  Accelerometer("iio:device0", 100, 200, 1000);
  Put("iio:device0", "in_accel_mount_matrix", "0, 1; -1, 0");
  auto iio = sensor::IioSource::Find(root);
  ASSERT_NE(nullptr, iio);
  EXPECT_EQ((Reading{100, -200, -1000}), iio->Read(0));
}

TEST_F(FakeSysfs, DevicesWithoutAxesOrScaleAreSkippedInNumberOrder) {
  EXPECT_EQ(nullptr, sensor::IioSource::Find(root));
  EXPECT_EQ(nullptr, sensor::IioSource::Find(root + "/missing"));
  Put("iio:device0", "in_accel_x_raw", "1");  // no Y, Z nor scale
  Accelerometer("iio:device1", 1, 1, 1, false);  // no scale
  EXPECT_EQ(nullptr, sensor::IioSource::Find(root));
  Accelerometer("iio:device10", 10, 0, 0);
  Accelerometer("iio:device2", 2, 0, 0);
  auto iio = sensor::IioSource::Find(root);
  ASSERT_NE(nullptr, iio);
  EXPECT_EQ(2, iio->Read(0).x);
}

// Unplugged in the middle of a shake: a kept reading would hold the detectors in it.
TEST_F(FakeSysfs, ADeviceThatGoesAwayIsAtRest) {
  Accelerometer("iio:device0", 900, 0, 1000);
  auto iio = sensor::IioSource::Find(root);
  ASSERT_NE(nullptr, iio);
  EXPECT_EQ((Reading{900, 0, -1000}), iio->Read(0));
  std::filesystem::remove(root + "/iio:device0/in_accel_z_raw");
  EXPECT_EQ(sensor::kAtRest, iio->Read(50));
  std::filesystem::remove_all(root + "/iio:device0");
  EXPECT_EQ(sensor::kAtRest, iio->Read(100));
}

// Attributes that are not what sysfs gives: each row damages one file of a device that
// reads 100, 200, 1000 and expects the reading (or no device) that remains sound. A huge
// file is refused after a page, never read whole.
TEST_F(FakeSysfs, BadAttributesAreRefusedWithoutReadingThemWhole) {
  const off_t huge = off_t(8) << 30;
  const struct {
    const char* what;
    const char* file;
    std::string text;
    off_t size;  // when larger than the text: the file is extended (sparse) to it
    bool found;
    Reading reading;
  } rows[] = {
      {"huge mount matrix", "in_accel_mount_matrix", "0, 1, 0; 1, 0, 0; 0, 0, 1", huge, true, {100, -200, -1000}},
      {"matrix over two lines", "in_accel_mount_matrix", "0, 1, 0;\n1, 0, 0; 0, 0, 1", 0, true, {100, -200, -1000}},
      {"matrix of ten numbers", "in_accel_mount_matrix", "1, 0, 0; 0, 1, 0; 0, 0, 1, 5", 0, true, {100, -200, -1000}},
      {"matrix of NaN", "in_accel_mount_matrix", "nan, 0, 0; 0, 1, 0; 0, 0, 1", 0, true, {100, -200, -1000}},
      {"huge scale", "in_accel_scale", "0.00980665", huge, false, {}},
      {"scale of one page and a byte", "in_accel_scale", "0.00980665" + std::string(4096, ' '), 0, false, {}},
      {"scale of letters", "in_accel_scale", "abc", 0, false, {}},
      {"huge raw reading", "in_accel_x_raw", "100", huge, true, sensor::kAtRest},
      {"raw reading beyond 16 bits", "in_accel_x_raw", "1e300", 0, true, {32767, -200, -1000}},
      {"raw reading of letters", "in_accel_x_raw", "x", 0, true, sensor::kAtRest},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    std::filesystem::remove_all(root + "/iio:device0");
    Accelerometer("iio:device0", 100, 200, 1000);
    Put("iio:device0", r.file, r.text);
    if (r.size > 0) std::filesystem::resize_file(root + "/iio:device0/" + r.file, r.size);
    auto iio = sensor::IioSource::Find(root);
    ASSERT_EQ(r.found, iio != nullptr);
    if (iio) {
      EXPECT_EQ(r.reading, iio->Read(0));
    }
  }
}

}  // namespace
