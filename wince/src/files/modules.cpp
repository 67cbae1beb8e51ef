// The module file name and run-time library loading.
#include <dlfcn.h>
#include <link.h>

#include <climits>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "common/utf.h"
#include "files/paths.h"
#include "kernel/module.h"

namespace {

// Libraries loaded through LoadLibraryW, by dlopen handle, with their load counts, so
// that a module handle that was never handed out is refused rather than followed.
std::mutex modulesLock;
std::unordered_map<void*, int> modules;

bool IsLoaded(HMODULE module) {
  std::lock_guard<std::mutex> lock(modulesLock);
  return modules.count(module) != 0;
}

bool IsExecutable(HMODULE module) { return !module || module == wince::ExecutableInstance(); }

std::string LibraryHostPath(HMODULE module) {
  link_map* map = nullptr;
  if (dlinfo(module, RTLD_DI_LINKMAP, &map) != 0 || !map || !map->l_name) return std::string();
  char resolved[PATH_MAX];
  return realpath(map->l_name, resolved) ? std::string(resolved) : std::string(map->l_name);
}

// Device paths where a library name is looked for, in order: a bare "X.dll" as the
// shared libraries "X.so" and "libX.so" beside the executable, then the name as given.
std::vector<std::u16string> LibraryCandidates(const std::u16string& name) {
  std::vector<std::u16string> candidates;
  if (name.find_first_of(u"\\/") == std::u16string::npos) {
    std::u16string exe = wince::DevicePathFromHost(wince::ExecutableHostPath());
    std::u16string folder = exe.substr(0, exe.find_last_of(u'\\') + 1);
    std::u16string stem = name;
    if (stem.size() > 4 && _wcsicmp(stem.c_str() + stem.size() - 4, u".dll") == 0)
      stem.resize(stem.size() - 4);
    if (!folder.empty()) {
      candidates.push_back(folder + stem + u".so");
      candidates.push_back(folder + u"lib" + stem + u".so");
    }
  }
  candidates.push_back(name);
  return candidates;
}

FARPROC LookUp(HMODULE module, const char* name) {
  void* handle = module;
  if (IsExecutable(module)) {
    handle = dlopen(nullptr, RTLD_NOW);
  } else if (!IsLoaded(module)) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  void* address = dlsym(handle, name);
  if (handle != module) dlclose(handle);
  if (!address) SetLastError(ERROR_PROC_NOT_FOUND);
  return reinterpret_cast<FARPROC>(address);
}

}  // namespace

DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size) {
  if (!IsExecutable(module) && !IsLoaded(module)) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  std::u16string path =
      wince::DevicePathFromHost(IsExecutable(module) ? wince::ExecutableHostPath() : LibraryHostPath(module));
  if (path.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
  }
  if (size == 0 || !fileName) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  if (path.size() >= size) {
    path.copy(fileName, size - 1);
    fileName[size - 1] = 0;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  path.copy(fileName, path.size());
  fileName[path.size()] = 0;
  return DWORD(path.size());
}

HMODULE LoadLibraryW(LPCWSTR libFileName) {
  if (!libFileName || !*libFileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (wcsnlen(libFileName, MAX_PATH) >= MAX_PATH) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return nullptr;
  }
  for (const std::u16string& candidate : LibraryCandidates(libFileName)) {
    std::string hostPath;
    if (!wince::HostPathFromDevice(candidate.c_str(), &hostPath, wince::Overlay::kNone) ||
        !wince::IsRegularFile(hostPath))
      continue;
    // A file that is there but does not load is a failure, as on Windows: no further
    // candidates are tried.
    void* handle = dlopen(hostPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
      SetLastError(ERROR_BAD_FORMAT);
      return nullptr;
    }
    std::lock_guard<std::mutex> lock(modulesLock);
    ++modules[handle];
    return static_cast<HMODULE>(handle);
  }
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

BOOL FreeLibrary(HMODULE module) {
  if (module && module == wince::ExecutableInstance()) return TRUE;
  {
    std::lock_guard<std::mutex> lock(modulesLock);
    auto it = modules.find(module);
    if (it == modules.end()) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    if (--it->second == 0) modules.erase(it);
  }
  dlclose(module);
  return TRUE;
}

FARPROC GetProcAddressW(HMODULE module, LPCWSTR procName) {
  // Ordinals have no counterpart in host libraries.
  if (!procName || IS_INTRESOURCE(procName)) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return LookUp(module, wince::ToUtf8(procName).c_str());
}

FARPROC GetProcAddressA(HMODULE module, LPCSTR procName) {
  if (!procName || IS_INTRESOURCE(procName)) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return LookUp(module, procName);
}
