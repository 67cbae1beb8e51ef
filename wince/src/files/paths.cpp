#include "files/paths.h"

#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "common/utf.h"
#include "files/names.h"

namespace wince {

namespace {

bool Exists(const std::string& hostPath) {
  struct stat st;
  return lstat(hostPath.c_str(), &st) == 0;
}

// The host name in folder that stands for the device name component: the exact
// spelling when it exists, else the first case-insensitive match in byte order.
bool ResolveComponent(const std::string& folder, const std::u16string& component,
                      std::string* hostName) {
  *hostName = ToUtf8(component);
  if (Exists(folder + *hostName)) return true;
  std::vector<std::string> matches;
  for (const std::string& name : ListFolder(folder)) {
    std::u16string deviceName;
    if (DeviceNameFromHost(name, &deviceName) && NamesEqualIgnoringCase(deviceName, component))
      matches.push_back(name);
  }
  if (matches.empty()) return false;
  *hostName = *std::min_element(matches.begin(), matches.end());
  return true;
}

}  // namespace

bool DeviceNameFromHost(const std::string& hostName, std::u16string* deviceName) {
  // A backslash inside a host name would read as a separator on the device.
  return FromUtf8(hostName, deviceName) && deviceName->find(u'\\') == std::u16string::npos;
}

bool HostPathFromDevice(const WCHAR* devicePath, std::string* hostPath) {
  if (!devicePath) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  if (wcsnlen(devicePath, MAX_PATH) >= MAX_PATH) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  std::string host;
  bool resolving = true;
  const WCHAR* p = devicePath;
  while (*p) {
    const WCHAR* end = p;
    while (*end && *end != u'\\' && *end != u'/') ++end;
    if (end != p) {
      std::u16string component(p, end);
      std::string name;
      resolving = resolving && ResolveComponent(host + "/", component, &name);
      host += "/" + (resolving ? name : ToUtf8(component));
    }
    p = *end ? end + 1 : end;
  }
  WCHAR last = devicePath[0] ? devicePath[wcslen(devicePath) - 1] : 0;
  if (host.empty() || last == u'\\' || last == u'/') host += "/";
  *hostPath = std::move(host);
  return true;
}

bool IsRegularFile(const std::string& hostPath) {
  struct stat st;
  return stat(hostPath.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::u16string DevicePathFromHost(const std::string& hostPath) {
  std::u16string device;
  if (!FromUtf8(hostPath, &device) || device.find(u'\\') != std::u16string::npos)
    return std::u16string();
  std::replace(device.begin(), device.end(), u'/', u'\\');
  return device;
}

}  // namespace wince
