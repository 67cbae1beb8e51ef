// Files opened for reading, as Windows opens them: CreateFileW, ReadFile, SetFilePointer.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "temp_folder.h"

namespace {

HANDLE Open(const std::u16string& path, DWORD access = GENERIC_READ, DWORD disposition = OPEN_EXISTING) {
  return CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string Read(HANDLE file, DWORD bytes) {
  std::string out(bytes, '\0');
  DWORD got = 0xDEAD;
  EXPECT_TRUE(ReadFile(file, out.data(), bytes, &got, nullptr));
  out.resize(got);
  return out;
}

TEST(FileTest, ReadsAndSeeksAsWindowsDoes) {
  TempFolder folder;
  std::ofstream(folder.Host() + "/digits.txt") << "0123456789";
  HANDLE file = Open(folder.Device("DIGITS.TXT"));  // the device ignores case
  ASSERT_NE(INVALID_HANDLE_VALUE, file);

  EXPECT_EQ("0123", Read(file, 4));
  EXPECT_EQ(6u, SetFilePointer(file, 2, nullptr, FILE_CURRENT));
  EXPECT_EQ("6789", Read(file, 10));  // short only at the end
  EXPECT_EQ("", Read(file, 10));      // at the end: TRUE with nothing
  EXPECT_EQ(7u, SetFilePointer(file, -3, nullptr, FILE_END));
  SetLastError(0);
  EXPECT_EQ(INVALID_SET_FILE_POINTER, SetFilePointer(file, -1, nullptr, FILE_BEGIN));
  EXPECT_EQ(DWORD(ERROR_NEGATIVE_SEEK), GetLastError());
  EXPECT_EQ("7", Read(file, 1));  // a refused move leaves the pointer
  EXPECT_EQ(100u, SetFilePointer(file, 100, nullptr, FILE_BEGIN));
  EXPECT_EQ("", Read(file, 4));  // beyond the end

  LONG high = 1;  // 64-bit distances: 4 GiB + 5
  EXPECT_EQ(5u, SetFilePointer(file, 5, &high, FILE_BEGIN));
  EXPECT_EQ(1, high);
  high = -1;  // back by 4 GiB - 3 from there: position 8
  EXPECT_EQ(8u, SetFilePointer(file, 3, &high, FILE_CURRENT));
  EXPECT_EQ(0, high);
  EXPECT_EQ(INVALID_SET_FILE_POINTER, SetFilePointer(file, 0, nullptr, 7));
  EXPECT_EQ(DWORD(ERROR_INVALID_PARAMETER), GetLastError());

  DWORD got = 0;
  char byte;
  EXPECT_FALSE(ReadFile(file, &byte, 1, nullptr, nullptr));  // the count is required
  EXPECT_EQ(DWORD(ERROR_INVALID_PARAMETER), GetLastError());
  EXPECT_TRUE(CloseHandle(file));
  EXPECT_FALSE(ReadFile(file, &byte, 1, &got, nullptr));
  EXPECT_EQ(DWORD(ERROR_INVALID_HANDLE), GetLastError());
  EXPECT_EQ(INVALID_SET_FILE_POINTER, SetFilePointer(file, 0, nullptr, FILE_BEGIN));
  EXPECT_EQ(DWORD(ERROR_INVALID_HANDLE), GetLastError());
}

TEST(FileTest, WhatCannotBeOpenedForReadingFailsWithTheWindowsError) {
  TempFolder folder;
  folder.Make("file.txt", 3);
  folder.Make("sub/");
  std::string fifo = folder.Host() + "/pipe";
  ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
  struct Case {
    const char* what;
    std::u16string path;
    DWORD access, disposition, error;
  } cases[] = {
      {"missing file", folder.Device("none.txt"), GENERIC_READ, OPEN_EXISTING, ERROR_FILE_NOT_FOUND},
      {"missing folder", folder.Device("none/file.txt"), GENERIC_READ, OPEN_EXISTING, ERROR_PATH_NOT_FOUND},
      {"a folder", folder.Device("sub"), GENERIC_READ, OPEN_EXISTING, ERROR_ACCESS_DENIED},
      {"a pipe, not waited on", folder.Device("pipe"), GENERIC_READ, OPEN_EXISTING, ERROR_ACCESS_DENIED},
      {"writing", folder.Device("file.txt"), GENERIC_WRITE, OPEN_EXISTING, ERROR_NOT_SUPPORTED},
      {"creating", folder.Device("new.txt"), GENERIC_READ, CREATE_ALWAYS, ERROR_NOT_SUPPORTED},
      {"too long a name", folder.Device(std::string(300, 'n')), GENERIC_READ, OPEN_EXISTING,
       ERROR_FILENAME_EXCED_RANGE},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_EQ(INVALID_HANDLE_VALUE, Open(c.path, c.access, c.disposition)) << c.what;
    EXPECT_EQ(c.error, GetLastError()) << c.what;
  }
  EXPECT_EQ(INVALID_HANDLE_VALUE,
            CreateFileW(nullptr, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_EQ(DWORD(ERROR_INVALID_PARAMETER), GetLastError());
  if (geteuid() != 0) {  // the superuser reads everything
    chmod((folder.Host() + "/file.txt").c_str(), 0);
    EXPECT_EQ(INVALID_HANDLE_VALUE, Open(folder.Device("file.txt")));
    EXPECT_EQ(DWORD(ERROR_ACCESS_DENIED), GetLastError());
  }
}

}  // namespace
