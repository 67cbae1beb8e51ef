// Temporary folders and a private registry file for the sound tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#include <fstream>
#include <string>
#include <windows.h>

namespace soundtest {

namespace fs = std::filesystem;

// The device path of a host path: the same path with '\' for '/'.
inline std::u16string DevicePath(const fs::path& host) {
  std::u16string device;
  for (char c : host.string()) device.push_back(c == '/' ? u'\\' : char16_t(static_cast<unsigned char>(c)));
  return device;
}

// The source tree, as the build names it.
inline fs::path SourceDir() { return fs::path(TILTCHIME_SOURCE_DIR); }

inline void WriteFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// A WAV file's bytes: RIFF header, a format chunk of the given coding and extra bytes
// (16-byte chunk when formatBytes is 16), then a data chunk of dataBytes zero bytes.
inline std::string WavBytes(uint16_t tag = 1, uint16_t bits = 16, uint32_t dataBytes = 4,
                            uint32_t formatBytes = 16, const std::string& before = "") {
  auto le = [](uint32_t v, int n) {
    std::string b;
    for (int i = 0; i < n; ++i) b.push_back(char((v >> (8 * i)) & 0xFF));
    return b;
  };
  const uint16_t channels = 1, align = uint16_t(channels * bits / 8);
  std::string fmt = le(tag, 2) + le(channels, 2) + le(8000, 4) + le(8000u * align, 4) + le(align, 2) + le(bits, 2);
  if (formatBytes > 16) fmt += le(formatBytes - 18, 2) + std::string(formatBytes - 18, '\0');
  std::string body = "WAVE" + before + "fmt " + le(uint32_t(fmt.size()), 4) + fmt + "data" + le(dataBytes, 4) +
                     std::string(dataBytes, '\0');
  return "RIFF" + le(uint32_t(body.size()), 4) + body;
}

inline std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A fresh folder per test and a registry file inside it, set before the first
// registry call of the process (each test runs in its own process). Sounds go to the
// layer's silent sink, which records what was played.
class TempFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = fs::temp_directory_path() /
            (std::string("tiltchime_") + info->test_suite_name() + "_" + info->name() + "_" +
             std::to_string(::getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_);
    registry_ = root_ / "registry.reg";
    ::setenv("WINCE_REGISTRY", registry_.c_str(), 1);
    ::setenv("WINCE_HEADLESS", "1", 1);
  }
  void TearDown() override { fs::remove_all(root_); }

  fs::path root_;
  fs::path registry_;
};

}  // namespace soundtest
