// Directory enumeration, wildcard matching and file attributes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/utf.h"
#include "files/names.h"
#include "temp_folder.h"

namespace {

struct Found {
  std::u16string name;
  DWORD attributes;
  DWORD size;
};

// Every entry that the pattern finds, in order; the error when none.
std::vector<Found> FindAll(const std::u16string& pattern, DWORD* error = nullptr) {
  std::vector<Found> found;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) {
    if (error) *error = GetLastError();
    return found;
  }
  do {
    found.push_back({data.cFileName, data.dwFileAttributes, data.nFileSizeLow});
  } while (FindNextFileW(find, &data));
  EXPECT_EQ(DWORD(ERROR_NO_MORE_FILES), GetLastError());
  EXPECT_TRUE(FindClose(find));
  return found;
}

std::vector<std::u16string> Names(const std::vector<Found>& found) {
  std::vector<std::u16string> names;
  for (const Found& f : found) names.push_back(f.name);
  return names;
}

class FindFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.Make("Sounds/Rock/");
    folder.Make("Sounds/Rock/a.wav", 10);
    folder.Make("Sounds/Rock/B.WAV", 20);
    folder.Make("Sounds/Rock/RockB.png");
    folder.Make("Sounds/Rock/notes");
    folder.Make("Sounds/Rock/ab.wavx");
    folder.Make("Sounds/Pop/");
    folder.Make("Sounds/loose.wav", 1234);
  }
  TempFolder folder;
};

TEST_F(FindFiles, ListsFoldersAndFilesWithoutDotEntries) {
  std::vector<Found> found = FindAll(folder.Device("Sounds\\*"));
  ASSERT_EQ(3u, found.size());
  EXPECT_EQ(u"loose.wav", found[0].name);
  EXPECT_EQ(DWORD(FILE_ATTRIBUTE_NORMAL), found[0].attributes);
  EXPECT_EQ(1234u, found[0].size);
  EXPECT_EQ(u"Pop", found[1].name);
  EXPECT_EQ(DWORD(FILE_ATTRIBUTE_DIRECTORY), found[1].attributes);
  EXPECT_EQ(u"Rock", found[2].name);
}

TEST_F(FindFiles, WildcardsIgnoreCase) {
  std::vector<std::u16string> wavs = {u"a.wav", u"B.WAV"};
  EXPECT_EQ(wavs, Names(FindAll(folder.Device("Sounds\\Rock\\*.wav"))));
  EXPECT_EQ(wavs, Names(FindAll(folder.Device("sounds\\ROCK\\*.WAV"))));
  EXPECT_EQ(wavs, Names(FindAll(folder.Device("Sounds\\Rock\\?.wAv"))));
  // A name without wildcards finds that one entry, in any case.
  EXPECT_EQ(std::vector<std::u16string>{u"B.WAV"}, Names(FindAll(folder.Device("Sounds\\Rock\\b.wav"))));
  // "*.*" matches names without a dot too, as on Windows.
  EXPECT_EQ(5u, FindAll(folder.Device("Sounds\\Rock\\*.*")).size());
}

TEST_F(FindFiles, ReportsWhyNothingWasFound) {
  DWORD error = 0;
  EXPECT_TRUE(FindAll(folder.Device("Sounds\\Pop\\*"), &error).empty());
  EXPECT_EQ(DWORD(ERROR_FILE_NOT_FOUND), error);
  EXPECT_TRUE(FindAll(folder.Device("Sounds\\Rock\\??.wav"), &error).empty());
  EXPECT_EQ(DWORD(ERROR_FILE_NOT_FOUND), error);
  EXPECT_TRUE(FindAll(folder.Device("Sounds\\Jazz\\*.wav"), &error).empty());
  EXPECT_EQ(DWORD(ERROR_PATH_NOT_FOUND), error);
  EXPECT_TRUE(FindAll(folder.Device("Sounds\\loose.wav\\*"), &error).empty());
  EXPECT_EQ(DWORD(ERROR_PATH_NOT_FOUND), error);
  EXPECT_TRUE(FindAll(u"\\" + std::u16string(300, u'a') + u"\\*", &error).empty());
  EXPECT_EQ(DWORD(ERROR_FILENAME_EXCED_RANGE), error);
}

TEST_F(FindFiles, SkipsHostNamesWithoutDeviceSpelling) {
  folder.Make("Sounds/Pop/\xff\xfe.wav");
  folder.Make("Sounds/Pop/ok.wav");
  EXPECT_EQ(std::vector<std::u16string>{u"ok.wav"}, Names(FindAll(folder.Device("Sounds\\Pop\\*"))));
}

TEST_F(FindFiles, RefusesHandlesItDidNotGive) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(folder.Device("Sounds\\*").c_str(), &data);
  ASSERT_NE(INVALID_HANDLE_VALUE, find);
  EXPECT_TRUE(FindClose(find));
  EXPECT_FALSE(FindNextFileW(find, &data));
  EXPECT_EQ(DWORD(ERROR_INVALID_HANDLE), GetLastError());
  EXPECT_FALSE(FindClose(find));
  EXPECT_FALSE(FindClose(INVALID_HANDLE_VALUE));
}

TEST_F(FindFiles, Attributes) {
  EXPECT_EQ(DWORD(FILE_ATTRIBUTE_DIRECTORY), GetFileAttributesW(folder.Device("sounds\\rock").c_str()));
  EXPECT_EQ(DWORD(FILE_ATTRIBUTE_NORMAL), GetFileAttributesW(folder.Device("Sounds\\LOOSE.wav").c_str()));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(folder.Device("Sounds\\missing.wav").c_str()));
  EXPECT_EQ(DWORD(ERROR_FILE_NOT_FOUND), GetLastError());
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(folder.Device("Missing\\x.wav").c_str()));
  EXPECT_EQ(DWORD(ERROR_PATH_NOT_FOUND), GetLastError());
}

TEST(Wildcard, Matching) {
  struct Case {
    const char16_t* name;
    const char16_t* pattern;
    bool matches;
  } cases[] = {
      {u"abc", u"a*c", true},     {u"ac", u"a*c", true},      {u"abcbc", u"a*bc", true},
      {u"abcb", u"a*bc", false},  {u"", u"*", true},          {u"a", u"?", true},
      {u"", u"?", false},         {u"ab", u"?", false},       {u"x.WAV", u"*.wav", true},
      {u"x.wav.bak", u"*.wav", false}, {u"noext", u"*.*", true}, {u"a.b.c", u"*.c", true},
      {u"\u00c9T\u00c9", u"\u00e9t\u00e9", true}, {u"abc", u"abd", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.matches, wince::MatchesWildcard(c.name, c.pattern))
        << wince::ToUtf8(c.name) << " ~ " << wince::ToUtf8(c.pattern);
  }
}

}  // namespace
