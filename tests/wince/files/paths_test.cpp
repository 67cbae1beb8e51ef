// Device paths and host paths, both ways.
#include <gtest/gtest.h>

#include <string>

#include "files/paths.h"
#include "temp_folder.h"

namespace {

std::string Host(const std::u16string& device) {
  std::string host;
  EXPECT_TRUE(wince::HostPathFromDevice(device.c_str(), &host));
  return host;
}

TEST(DevicePath, IsTheHostPathWithBackslashes) {
  EXPECT_EQ(u"\\home\\u\\app\\TiltChime", wince::DevicePathFromHost("/home/u/app/TiltChime"));
  EXPECT_EQ(u"\\", wince::DevicePathFromHost("/"));
  EXPECT_EQ(u"\\caf\u00e9\\x", wince::DevicePathFromHost("/caf\xc3\xa9/x"));
}

TEST(DevicePath, HostNamesWithoutDeviceSpellingGiveNothing) {
  EXPECT_EQ(u"", wince::DevicePathFromHost("/tmp/bad\xff\xfe"));
  EXPECT_EQ(u"", wince::DevicePathFromHost("/tmp/back\\slash"));
}

TEST(HostPath, RootAndExactPaths) {
  EXPECT_EQ("/", Host(u"\\"));
  EXPECT_EQ("/tmp", Host(u"\\tmp"));
  EXPECT_EQ("/tmp/", Host(u"\\tmp\\"));
  // The device has no current folder: a path without a leading backslash starts at the root.
  EXPECT_EQ("/tmp", Host(u"tmp"));
  EXPECT_EQ("/tmp/x", Host(u"/tmp//x"));
}

TEST(HostPath, FallsBackToTheOnlyCaseInsensitiveMatch) {
  TempFolder folder;
  folder.Make("Sounds/Rock/");
  folder.Make("Sounds/Rock/Bell.wav");
  EXPECT_EQ(folder.Host() + "/Sounds/Rock/Bell.wav", Host(folder.Device("SOUNDS/rock/bell.WAV")));
  // What does not exist is kept as given, after the part that does.
  EXPECT_EQ(folder.Host() + "/Sounds/Rock/New.wav", Host(folder.Device("sounds/ROCK/New.wav")));
  EXPECT_EQ(folder.Host() + "/nothing/Rock", Host(folder.Device("nothing/Rock")));
}

TEST(HostPath, AmbiguousNamesPreferExactThenFirstInByteOrder) {
  TempFolder folder;
  folder.Make("alpha");
  folder.Make("ALPHA");
  folder.Make("Alpha");
  EXPECT_EQ(folder.Host() + "/alpha", Host(folder.Device("alpha")));
  EXPECT_EQ(folder.Host() + "/Alpha", Host(folder.Device("Alpha")));
  EXPECT_EQ(folder.Host() + "/ALPHA", Host(folder.Device("aLPHA")));
}

TEST(HostPath, InvalidUtf8HostNamesAreSkippedWhileMatching) {
  TempFolder folder;
  folder.Make("\xff\xfe");
  folder.Make("Data");
  EXPECT_EQ(folder.Host() + "/Data", Host(folder.Device("data")));
  // The invalid name reads as two replacement characters, yet is not that name either.
  const std::string replacements = "\xef\xbf\xbd\xef\xbf\xbd";
  EXPECT_EQ(folder.Host() + "/" + replacements, Host(folder.Device(replacements)));
}

TEST(HostPath, RefusesNullAndOverLongPaths) {
  std::string host = "unchanged";
  SetLastError(0);
  EXPECT_FALSE(wince::HostPathFromDevice(nullptr, &host));
  EXPECT_EQ(DWORD(ERROR_INVALID_PARAMETER), GetLastError());

  std::u16string longest = u"\\" + std::u16string(MAX_PATH - 2, u'a');  // 259 characters
  EXPECT_TRUE(wince::HostPathFromDevice(longest.c_str(), &host));
  std::u16string tooLong = longest + u"a";
  host = "unchanged";
  EXPECT_FALSE(wince::HostPathFromDevice(tooLong.c_str(), &host));
  EXPECT_EQ(DWORD(ERROR_FILENAME_EXCED_RANGE), GetLastError());
  EXPECT_EQ("unchanged", host);
}

}  // namespace
