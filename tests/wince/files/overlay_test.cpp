// The user folder laid over the application folder: one listing, the user's copy first.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "files/paths.h"
#include "temp_folder.h"

namespace {

std::string ExecutableFolder() {
  const std::string& exe = wince::ExecutableHostPath();
  return exe.substr(0, exe.find_last_of('/'));
}

// A folder inside the application folder (the test executable's) and its place in a
// user folder under a temporary XDG_DATA_HOME.
class UserOverlay : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_DATA_HOME", data.Host().c_str(), 1);
    user = data.Host() + "/tiltchime" + app.Host().substr(ExecutableFolder().size());
    app.Make("Skin/");
    app.Make("Skin/Pic_TopBar_App.png", 1);
    app.Make("Skin/Pic_BottomBar.png", 2);
    app.Make("Sounds/Chimes/");
    app.Make("Sounds/Chimes/Bell.wav", 3);
    app.Make("Sounds/Chimes/Gong.wav", 4);
    app.Make("Sounds/Tones/");
    MakeUser("Skin/Pic_TopBar_App.png", 10);
    MakeUser("Sounds/chimes/bell.WAV", 30);
    MakeUser("Sounds/chimes/Wind.wav", 50);
    MakeUser("Sounds/Mine/Hello.wav", 60);
    MakeUser("Sounds/Mine/MineB.png", 70);
  }
  void MakeUser(const std::string& relative, size_t size) const {
    std::filesystem::path path = user + "/" + relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << std::string(size, 'x');
  }

  TempFolder data;
  TempFolder app{ExecutableFolder()};
  std::string user;
};

struct Listed {
  std::u16string name;
  DWORD size;
  bool operator==(const Listed&) const = default;
};

std::vector<Listed> List(const std::u16string& pattern) {
  std::vector<Listed> listed;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return listed;
  do listed.push_back({data.cFileName, data.nFileSizeLow});
  while (FindNextFileW(find, &data));
  FindClose(find);
  return listed;
}

TEST_F(UserOverlay, EnumerationListsBothFoldersOnceWithTheUsersCopyWinning) {
  const struct {
    const char* pattern;
    std::vector<Listed> expected;
  } cases[] = {
      {"Sounds\\*", {{u"chimes", 0}, {u"Mine", 0}, {u"Tones", 0}}},
      {"Sounds\\Chimes\\*.wav", {{u"bell.WAV", 30}, {u"Gong.wav", 4}, {u"Wind.wav", 50}}},
      {"Sounds\\Mine\\*", {{u"Hello.wav", 60}, {u"MineB.png", 70}}},
      {"Skin\\*.png", {{u"Pic_BottomBar.png", 2}, {u"Pic_TopBar_App.png", 10}}},
      {"Sounds\\Tones\\*", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(c.expected, List(app.Device(c.pattern)));
  }
}

TEST_F(UserOverlay, OpeningLooksInTheUserFolderFirst) {
  const struct {
    const char* device;
    std::string expectedHost;  // empty: not found
    DWORD error;
  } cases[] = {
      {"Skin\\Pic_TopBar_App.png", user + "/Skin/Pic_TopBar_App.png", 0},
      {"SKIN\\pic_topbar_app.PNG", user + "/Skin/Pic_TopBar_App.png", 0},
      {"Skin\\Pic_BottomBar.png", app.Host() + "/Skin/Pic_BottomBar.png", 0},
      {"Sounds\\Chimes\\Bell.wav", user + "/Sounds/chimes/bell.WAV", 0},
      {"Sounds\\Chimes\\Gong.wav", app.Host() + "/Sounds/Chimes/Gong.wav", 0},
      {"Sounds\\Mine\\Hello.wav", user + "/Sounds/Mine/Hello.wav", 0},
      {"Sounds\\Tones\\None.wav", "", ERROR_FILE_NOT_FOUND},
      {"Sounds\\Mine\\None.wav", "", ERROR_FILE_NOT_FOUND},
      {"Nowhere\\None.wav", "", ERROR_PATH_NOT_FOUND},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.device);
    std::string host;
    ASSERT_TRUE(wince::HostPathFromDevice(app.Device(c.device).c_str(), &host));
    DWORD attributes = GetFileAttributesW(app.Device(c.device).c_str());
    if (c.expectedHost.empty()) {
      EXPECT_EQ(INVALID_FILE_ATTRIBUTES, attributes);
      EXPECT_EQ(c.error, GetLastError());
    } else {
      EXPECT_EQ(c.expectedHost, host);
      EXPECT_EQ(DWORD(FILE_ATTRIBUTE_NORMAL), attributes);
    }
  }
}

TEST_F(UserOverlay, ReachesOnlyBelowTheApplicationFolderAndNeverForCode) {
  // Outside the application folder a path is taken as it is.
  TempFolder outside;
  outside.Make("Skin/");
  std::string host;
  ASSERT_TRUE(wince::HostPathFromDevice(outside.Device("Skin\\Pic_TopBar_App.png").c_str(), &host));
  EXPECT_EQ(outside.Host() + "/Skin/Pic_TopBar_App.png", host);
  // Libraries and programs come from the application folder alone.
  MakeUser("Skin/Pic_BottomBar.png", 5);
  ASSERT_TRUE(wince::HostPathFromDevice(app.Device("Skin\\Pic_BottomBar.png").c_str(), &host,
                                        wince::Overlay::kNone));
  EXPECT_EQ(app.Host() + "/Skin/Pic_BottomBar.png", host);
}

TEST(UserFolder, FollowsTheXdgRules) {
  TempFolder home, data;
  setenv("HOME", home.Host().c_str(), 1);
  const struct {
    const char* xdgDataHome;  // null: unset
    std::string userRoot;
  } cases[] = {
      {nullptr, home.Host() + "/.local/share/tiltchime"},
      {"", home.Host() + "/.local/share/tiltchime"},
      {"relative/data", home.Host() + "/.local/share/tiltchime"},
      {data.Host().c_str(), data.Host() + "/tiltchime"},
  };
  TempFolder app{ExecutableFolder()};
  std::string below = app.Host().substr(ExecutableFolder().size());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.xdgDataHome ? c.xdgDataHome : "(unset)");
    if (c.xdgDataHome)
      setenv("XDG_DATA_HOME", c.xdgDataHome, 1);
    else
      unsetenv("XDG_DATA_HOME");
    std::string host;
    ASSERT_TRUE(wince::HostPathFromDevice(app.Device("x").c_str(), &host));
    EXPECT_EQ(app.Host() + "/x", host);
    std::filesystem::create_directories(c.userRoot + below + "/x");
    ASSERT_TRUE(wince::HostPathFromDevice(app.Device("x").c_str(), &host));
    EXPECT_EQ(c.userRoot + below + "/x", host);
    std::filesystem::remove_all(c.userRoot);
  }
}

}  // namespace
