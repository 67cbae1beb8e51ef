// Directory enumeration and file attributes.
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <mutex>
#include <set>
#include <unordered_set>
#include <vector>

#include "files/names.h"
#include "files/paths.h"

namespace {

// The matches are collected when the search starts, so a search sees one consistent
// listing whatever happens to the folder meanwhile.
struct FindSearch {
  std::vector<WIN32_FIND_DATAW> entries;
  size_t next = 0;
};

std::mutex searchesLock;
std::unordered_set<FindSearch*> searches;

FindSearch* TakeSearch(HANDLE find, bool remove) {
  std::lock_guard<std::mutex> lock(searchesLock);
  auto it = searches.find(static_cast<FindSearch*>(find));
  if (it == searches.end()) return nullptr;
  FindSearch* search = *it;
  if (remove) searches.erase(it);
  return search;
}

FILETIME FileTimeFrom(const timespec& t) {
  // 100-nanosecond intervals since 1601-01-01.
  constexpr uint64_t kUnixEpochAsFileTime = 116444736000000000ULL;
  uint64_t value = kUnixEpochAsFileTime + uint64_t(t.tv_sec) * 10000000ULL + uint64_t(t.tv_nsec) / 100;
  return FILETIME{DWORD(value), DWORD(value >> 32)};
}

DWORD AttributesFrom(const struct stat& st) {
  if (S_ISDIR(st.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
  return (st.st_mode & S_IWUSR) ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
}

void FillFindData(const struct stat& st, const std::u16string& name, WIN32_FIND_DATAW* data) {
  *data = WIN32_FIND_DATAW{};
  data->dwFileAttributes = AttributesFrom(st);
  data->ftCreationTime = FileTimeFrom(st.st_ctim);
  data->ftLastAccessTime = FileTimeFrom(st.st_atim);
  data->ftLastWriteTime = FileTimeFrom(st.st_mtim);
  uint64_t size = S_ISDIR(st.st_mode) ? 0 : uint64_t(st.st_size);
  data->nFileSizeHigh = DWORD(size >> 32);
  data->nFileSizeLow = DWORD(size);
  name.copy(data->cFileName, MAX_PATH - 1);
}

struct IgnoringCase {
  bool operator()(const std::u16string& a, const std::u16string& b) const {
    return _wcsicmp(a.c_str(), b.c_str()) < 0;
  }
};

bool ComesBefore(const WIN32_FIND_DATAW& a, const WIN32_FIND_DATAW& b) {
  int order = _wcsicmp(a.cFileName, b.cFileName);
  return order != 0 ? order < 0 : wcscmp(a.cFileName, b.cFileName) < 0;
}

}  // namespace

HANDLE FindFirstFileW(LPCWSTR fileName, LPWIN32_FIND_DATAW findData) {
  if (!fileName || !findData) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  if (wcsnlen(fileName, MAX_PATH) >= MAX_PATH) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return INVALID_HANDLE_VALUE;
  }
  // The folder is resolved like any path; the last component is the pattern.
  std::u16string devicePath(fileName);
  size_t cut = devicePath.find_last_of(u"\\/");
  std::u16string pattern = cut == std::u16string::npos ? devicePath : devicePath.substr(cut + 1);
  std::u16string deviceFolder = cut == std::u16string::npos ? u"\\" : devicePath.substr(0, cut + 1);
  std::vector<std::string> folders;
  if (!wince::HostFoldersFromDevice(deviceFolder.c_str(), &folders)) return INVALID_HANDLE_VALUE;
  if (folders.empty()) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  // One listing of the user folder and the application folder beneath it: a name the
  // user folder has hides the application's name that differs at most in case.
  auto search = std::make_unique<FindSearch>();
  std::set<std::u16string, IgnoringCase> taken;
  for (const std::string& folder : pattern.empty() ? std::vector<std::string>() : folders) {
    std::vector<std::u16string> names;
    for (const std::string& hostName : wince::ListFolder(folder)) {
      std::u16string name;
      struct stat st;
      if (!wince::DeviceNameFromHost(hostName, &name) || name.size() >= MAX_PATH ||
          !wince::MatchesWildcard(name, pattern) || taken.count(name) ||
          stat((folder + hostName).c_str(), &st) != 0)
        continue;
      names.push_back(name);
      search->entries.emplace_back();
      FillFindData(st, name, &search->entries.back());
    }
    taken.insert(names.begin(), names.end());
  }
  if (search->entries.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  std::sort(search->entries.begin(), search->entries.end(), ComesBefore);
  *findData = search->entries[search->next++];
  std::lock_guard<std::mutex> lock(searchesLock);
  searches.insert(search.get());
  return search.release();
}

BOOL FindNextFileW(HANDLE find, LPWIN32_FIND_DATAW findData) {
  FindSearch* search = TakeSearch(find, false);
  if (!search) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!findData) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (search->next >= search->entries.size()) {
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  *findData = search->entries[search->next++];
  return TRUE;
}

BOOL FindClose(HANDLE find) {
  FindSearch* search = TakeSearch(find, true);
  if (!search) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  delete search;
  return TRUE;
}

DWORD GetFileAttributesW(LPCWSTR fileName) {
  std::string hostPath;
  if (!fileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_FILE_ATTRIBUTES;
  }
  if (!wince::HostPathFromDevice(fileName, &hostPath)) return INVALID_FILE_ATTRIBUTES;
  struct stat st;
  if (stat(hostPath.c_str(), &st) != 0) {
    SetLastError(wince::FileErrorFromErrno(errno, hostPath));
    return INVALID_FILE_ATTRIBUTES;
  }
  return AttributesFrom(st);
}
