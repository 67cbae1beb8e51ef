// An IIO accelerometer on a fake sysfs tree.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "sensor/Sources.h"

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
  EXPECT_EQ((Reading{250, -400, -1000}), iio->Read(0));
  Accelerometer("iio:device0", 0, 1000, 0);
  EXPECT_EQ((Reading{0, -1000, 0}), iio->Read(0));
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

TEST_F(FakeSysfs, ADeviceThatGoesAwayKeepsItsLastReading) {
  Accelerometer("iio:device0", 300, 0, 1000);
  auto iio = sensor::IioSource::Find(root);
  ASSERT_NE(nullptr, iio);
  EXPECT_EQ((Reading{300, 0, -1000}), iio->Read(0));
  std::filesystem::remove_all(root + "/iio:device0");
  EXPECT_EQ((Reading{300, 0, -1000}), iio->Read(0));
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
    if (iio) EXPECT_EQ(r.reading, iio->Read(0));
  }
}

}  // namespace
