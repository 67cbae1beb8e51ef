// The module file name and run-time library loading.
#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <string>

#include "files/paths.h"
#include "kernel/module.h"
#include "temp_folder.h"

namespace {

std::u16string ExecutableDevicePath() {
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  return wince::DevicePathFromHost(std::string(path, size_t(n)));
}

std::u16string TestFolder() {
  std::u16string exe = ExecutableDevicePath();
  return exe.substr(0, exe.find_last_of(u'\\') + 1);
}

TEST(ModuleFileName, IsTheExecutablesDevicePath) {
  WCHAR name[MAX_PATH];
  std::u16string expected = ExecutableDevicePath();
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(DWORD(expected.size()), GetModuleFileNameW(nullptr, name, MAX_PATH));
  EXPECT_EQ(expected, name);
  EXPECT_EQ(DWORD(expected.size()), GetModuleFileNameW(wince::ExecutableInstance(), name, MAX_PATH));
  EXPECT_EQ(expected, name);
}

TEST(ModuleFileName, TruncatesAndTerminates) {
  std::u16string expected = ExecutableDevicePath();
  DWORD length = DWORD(expected.size());
  WCHAR name[MAX_PATH];

  SetLastError(0);
  EXPECT_EQ(length, GetModuleFileNameW(nullptr, name, length + 1));
  EXPECT_EQ(expected, name);
  EXPECT_EQ(0u, GetLastError());

  EXPECT_EQ(length, GetModuleFileNameW(nullptr, name, length));
  EXPECT_EQ(expected.substr(0, length - 1), name);
  EXPECT_EQ(DWORD(ERROR_INSUFFICIENT_BUFFER), GetLastError());

  name[0] = u'x';
  EXPECT_EQ(1u, GetModuleFileNameW(nullptr, name, 1));
  EXPECT_EQ(u'\0', name[0]);

  name[0] = u'x';
  EXPECT_EQ(0u, GetModuleFileNameW(nullptr, name, 0));
  EXPECT_EQ(u'x', name[0]);
  EXPECT_EQ(DWORD(ERROR_INSUFFICIENT_BUFFER), GetLastError());
}

typedef int (*AnswerProc)();

AnswerProc Answer(HMODULE library) {
  return reinterpret_cast<AnswerProc>(GetProcAddress(library, TEXT("FilesTestAnswer")));
}

TEST(LibraryLoading, FindsTheSharedLibraryBesideTheExecutable) {
  HMODULE library = LoadLibraryW(TEXT("FilesTestLib.dll"));
  ASSERT_NE(nullptr, library);
  ASSERT_NE(nullptr, Answer(library));
  EXPECT_EQ(42, Answer(library)());
  EXPECT_EQ(reinterpret_cast<void*>(Answer(library)),
            reinterpret_cast<void*>(GetProcAddressA(library, "FilesTestAnswer")));

  WCHAR name[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(library, name, MAX_PATH), 0u);
  EXPECT_EQ(TestFolder() + u"FilesTestLib.so", name);

  // Names ignore case, and every load is matched by a free.
  HMODULE again = LoadLibraryW(TEXT("filestestlib.DLL"));
  EXPECT_EQ(library, again);
  EXPECT_TRUE(FreeLibrary(again));
  EXPECT_TRUE(FreeLibrary(library));
  EXPECT_FALSE(FreeLibrary(library));
  EXPECT_EQ(DWORD(ERROR_INVALID_HANDLE), GetLastError());
}

TEST(LibraryLoading, TriesTheLibPrefixAndFullPaths) {
  HMODULE prefixed = LoadLibraryW(TEXT("FilesTestPrefixed.dll"));
  ASSERT_NE(nullptr, prefixed);
  EXPECT_EQ(42, Answer(prefixed)());
  EXPECT_TRUE(FreeLibrary(prefixed));

  HMODULE byPath = LoadLibraryW((TestFolder() + u"FilesTestLib.so").c_str());
  ASSERT_NE(nullptr, byPath);
  EXPECT_EQ(42, Answer(byPath)());
  EXPECT_TRUE(FreeLibrary(byPath));
}

TEST(LibraryLoading, MissingLibrariesAndEntryPoints) {
  SetLastError(0);
  EXPECT_EQ(nullptr, LoadLibraryW(TEXT("NoSuchLibrary.dll")));
  EXPECT_EQ(DWORD(ERROR_MOD_NOT_FOUND), GetLastError());
  EXPECT_EQ(nullptr, LoadLibraryW(TEXT("\\no\\such\\folder\\Lib.dll")));
  EXPECT_EQ(DWORD(ERROR_MOD_NOT_FOUND), GetLastError());

  HMODULE library = LoadLibraryW(TEXT("FilesTestLib.dll"));
  ASSERT_NE(nullptr, library);
  EXPECT_EQ(nullptr, GetProcAddress(library, TEXT("NoSuchEntry")));
  EXPECT_EQ(DWORD(ERROR_PROC_NOT_FOUND), GetLastError());
  EXPECT_EQ(nullptr, GetProcAddress(library, reinterpret_cast<LPCWSTR>(1)));
  EXPECT_EQ(DWORD(ERROR_PROC_NOT_FOUND), GetLastError());
  EXPECT_TRUE(FreeLibrary(library));

  // A handle that LoadLibraryW never gave is refused, not followed.
  int notAModule = 0;
  EXPECT_EQ(nullptr, GetProcAddress(reinterpret_cast<HMODULE>(&notAModule), TEXT("FilesTestAnswer")));
  EXPECT_EQ(DWORD(ERROR_MOD_NOT_FOUND), GetLastError());
}

TEST(LibraryLoading, AFileThatIsNoLibraryFailsToLoad) {
  TempFolder folder;
  folder.Make("Broken.dll", 100);
  EXPECT_EQ(nullptr, LoadLibraryW(folder.Device("Broken.dll").c_str()));
  EXPECT_EQ(DWORD(ERROR_BAD_FORMAT), GetLastError());
}

}  // namespace
