// The initial registry: beside this test's executable lies its .reg file (copied there by
// the build), which the registry takes when it has no file of its own yet.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include <regext.h>
#include <windows.h>

namespace {

const WCHAR kShipped[] = u"Software\\Shipped";

TEST(InitialRegistry, IsTakenOnlyWhenThereIsNoFileYetOrNothingInItCanBeRead) {
  const struct {
    const char* what;
    const char* existingFile;  // null: none
    DWORD expectedLevel;       // 0: not there
  } cases[] = {
      {"no file: the initial values", nullptr, 7},
      {"the user's file rules", "Windows Registry Editor Version 5.00\n", 0},
      {"even when it sets the value", "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\Shipped]\n\"Level\"=dword:00000001\n", 1},
      {"nothing can be read: set aside, the initial values", "\x89PNG\r\n\x1a\n\xff\xfe garbage", 7},
      {"a garbled file keeps what it holds", "[HKEY_LOCAL_MACHINE\\Software\\Other]\n\"Level\"=dword:00000003\nbroken\n", 0},
  };
  char pattern[] = "/tmp/wince_initial_XXXXXX";
  std::string folder = mkdtemp(pattern);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string path = folder + "/registry.reg";
    std::filesystem::remove(path);
    if (c.existingFile) std::ofstream(path, std::ios::binary) << c.existingFile;
    setenv("WINCE_REGISTRY", path.c_str(), 1);
    // Each case loads the registry in a process of its own.
    pid_t child = fork();
    if (child == 0) {
      DWORD level = 0;
      RegistryGetDWORD(HKEY_LOCAL_MACHINE, kShipped, u"Level", &level);
      _exit(int(level));
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(c.expectedLevel, DWORD(WEXITSTATUS(status)));
  }
  std::filesystem::remove_all(folder);
}

TEST(InitialRegistry, IsReadIntoMemoryAndWrittenWithTheFirstChange) {
  char pattern[] = "/tmp/wince_initial_XXXXXX";
  std::string folder = mkdtemp(pattern);
  std::string path = folder + "/registry.reg";
  setenv("WINCE_REGISTRY", path.c_str(), 1);

  WCHAR name[MAX_PATH] = u"";
  EXPECT_EQ(S_OK, RegistryGetString(HKEY_LOCAL_MACHINE, kShipped, u"Name", name, MAX_PATH));
  EXPECT_EQ(std::u16string(u"Bell.wav"), name);
  DWORD other = 0;  // the line after one that cannot be read still counts
  EXPECT_EQ(S_OK, RegistryGetDWORD(HKEY_LOCAL_MACHINE, kShipped, u"Other", &other));
  EXPECT_EQ(2u, other);
  EXPECT_FALSE(std::filesystem::exists(path));

  ASSERT_EQ(S_OK, RegistrySetDWORD(HKEY_LOCAL_MACHINE, kShipped, u"Level", 9));
  EXPECT_EQ(
      "Windows Registry Editor Version 5.00\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Shipped]\n"
      "\"Name\"=\"Bell.wav\"\n"
      "\"Level\"=dword:00000009\n"
      "\"Other\"=dword:00000002\n",
      (std::stringstream() << std::ifstream(path, std::ios::binary).rdbuf()).str());
  std::filesystem::remove_all(folder);
}

}  // namespace
