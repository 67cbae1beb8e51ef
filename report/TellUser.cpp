#include "report/TellUser.h"

#include <strsafe.h>

#include <cstdlib>
#include <mutex>
#include <set>
#include <string>

namespace {

const size_t kLineLength = 1023;

std::mutex& ToldLock() {
  static std::mutex* lock = new std::mutex;
  return *lock;
}

// Every line written so far; the program ends without releasing it.
std::set<std::basic_string<WCHAR>>& ToldLines() {
  static auto* lines = new std::set<std::basic_string<WCHAR>>;
  return *lines;
}

}  // namespace

void TellUser(std::initializer_list<const WCHAR*> parts) {
  // One character is kept for the newline, which ends even a cut line.
  WCHAR line[kLineLength + 1];
  StringCchCopyW(line, kLineLength, TEXT("TiltChime: "));
  for (const WCHAR* part : parts)
    if (part) StringCchCatW(line, kLineLength, part);
  std::lock_guard<std::mutex> hold(ToldLock());
  if (!ToldLines().insert(line).second) return;
  StringCchCatW(line, kLineLength + 1, TEXT("\n"));
  OutputDebugStringW(line);
}

const WCHAR* NumberText(int value, WCHAR (&buffer)[12]) { return _itow(value, buffer, 10); }
