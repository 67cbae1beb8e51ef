// Starting programs.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <string>

#include "temp_folder.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// Waits for the program through its handle, then releases both handles.
void WaitAndClose(PROCESS_INFORMATION& info) {
  EXPECT_EQ(DWORD(WAIT_OBJECT_0), WaitForSingleObject(info.hProcess, INFINITE));
  EXPECT_EQ(DWORD(WAIT_OBJECT_0), WaitForSingleObject(info.hThread, 0));
  EXPECT_TRUE(CloseHandle(info.hThread));
  EXPECT_TRUE(CloseHandle(info.hProcess));
}

TEST(ProgramStart, AMissingProgramFails) {
  PROCESS_INFORMATION info = {};
  SetLastError(0);
  EXPECT_FALSE(CreateProcessW(TEXT("\\Windows\\OperaL.exe"), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, nullptr, &info));
  EXPECT_EQ(DWORD(ERROR_FILE_NOT_FOUND), GetLastError());
  EXPECT_EQ(nullptr, info.hProcess);
  EXPECT_FALSE(CreateProcessW(nullptr, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &info));
  EXPECT_EQ(DWORD(ERROR_INVALID_PARAMETER), GetLastError());
}

TEST(ProgramStart, RunsAHostProgramWithItsArgumentsAndReapsIt) {
  TempFolder folder;
  std::string out = folder.Host() + "/out.txt";
  // The device path may carry ".exe" and any case; the arguments are split at blanks
  // outside double quotes.
  std::u16string commandLine = u"-c \"echo $0 > " + folder.Device("out.txt") + u"\" first";
  for (char16_t& c : commandLine) if (c == u'\\') c = u'/';
  PROCESS_INFORMATION info = {};
  ASSERT_TRUE(CreateProcessW(TEXT("\\BIN\\sh.exe"), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, nullptr, &info));
  EXPECT_NE(0u, info.dwProcessId);
  pid_t pid = pid_t(info.dwProcessId);
  WaitAndClose(info);
  EXPECT_EQ("first\n", ReadFile(out));
  // The layer has collected the program's status: nothing is left to wait for.
  EXPECT_EQ(-1, waitpid(pid, nullptr, WNOHANG));
  EXPECT_EQ(ECHILD, errno);
}

TEST(ProgramStart, ProgramsGetNoFilesOfTheStartingProcess) {
  TempFolder folder;
  std::string out = folder.Host() + "/out.txt";
  // Held open without close-on-exec, as libraries open their files.
  int held = open("/dev/null", O_RDONLY);
  ASSERT_GT(held, STDERR_FILENO);
  const std::string fd = std::to_string(held);
  std::u16string commandLine = u"-c \"if [ -e /proc/self/fd/" + std::u16string(fd.begin(), fd.end()) +
                               u" ]; then echo open; else echo closed; fi > " + folder.Device("out.txt") + u"\"";
  for (char16_t& c : commandLine) if (c == u'\\') c = u'/';
  PROCESS_INFORMATION info = {};
  ASSERT_TRUE(CreateProcessW(TEXT("\\bin\\sh"), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, nullptr, &info));
  WaitAndClose(info);
  close(held);
  EXPECT_EQ("closed\n", ReadFile(out));
}

TEST(ProgramStart, TheStockBrowserIsTheHostsBrowser) {
  TempFolder folder;
  std::string browser = folder.Host() + "/browser";
  std::ofstream(browser) << "#!/bin/sh\necho \"$#:$1\" > \"$(dirname \"$0\")/opened\"\n";
  chmod(browser.c_str(), 0755);
  setenv("WINCE_BROWSER", browser.c_str(), 1);
  WCHAR address[] = TEXT("http://www.example.com/donate?a=1&b=2");
  PROCESS_INFORMATION info = {};
  ASSERT_TRUE(CreateProcessW(TEXT("\\windows\\IEXPLORE.EXE"), address, nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, nullptr, &info));
  WaitAndClose(info);
  unsetenv("WINCE_BROWSER");
  EXPECT_EQ("1:http://www.example.com/donate?a=1&b=2\n", ReadFile(folder.Host() + "/opened"));
}

}  // namespace
