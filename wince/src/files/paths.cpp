#include "files/paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "common/utf.h"
#include "common/xdg.h"
#include "files/names.h"

namespace wince {

namespace {

bool Exists(const std::string& hostPath) {
  struct stat st;
  return lstat(hostPath.c_str(), &st) == 0;
}

bool IsFolder(const std::string& hostPath) {
  struct stat st;
  return stat(hostPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
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

// The non-empty components of a device path; either separator splits.
std::vector<std::u16string> Components(const WCHAR* devicePath) {
  std::vector<std::u16string> components;
  const WCHAR* p = devicePath;
  while (*p) {
    const WCHAR* end = p;
    while (*end && *end != u'\\' && *end != u'/') ++end;
    if (end != p) components.emplace_back(p, end);
    p = *end ? end + 1 : end;
  }
  return components;
}

// A host path for components[first..] below the host folder base (no trailing slash),
// and how many components exist on disk (counting from the start of the whole path).
struct Resolution {
  std::string host;
  size_t found;
};

Resolution Resolve(std::string base, const std::vector<std::u16string>& components, size_t first) {
  Resolution result{std::move(base), first};
  for (size_t i = first; i < components.size(); ++i) {
    std::string name;
    bool exists = result.found == i && ResolveComponent(result.host + "/", components[i], &name);
    if (exists) ++result.found;
    result.host += '/';
    result.host += exists ? name : ToUtf8(components[i]);
  }
  return result;
}

bool CheckDevicePath(const WCHAR* devicePath) {
  if (!devicePath) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  if (wcsnlen(devicePath, MAX_PATH) >= MAX_PATH) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  return true;
}

// The resolutions of a device path: the user folder's first, the path itself last (only
// the latter when the path lies outside the application folder or the overlay is off).
std::vector<Resolution> Resolutions(const std::vector<std::u16string>& components, Overlay overlay) {
  std::vector<Resolution> resolutions;
  Resolution plain = Resolve(std::string(), components, 0);
  const std::string& exe = ExecutableHostPath();
  std::string appFolder = exe.substr(0, exe.find_last_of('/'));
  size_t depth = size_t(std::count(appFolder.begin(), appFolder.end(), '/'));
  bool belowApp = !appFolder.empty() && plain.found >= depth &&
                  plain.host.compare(0, appFolder.size(), appFolder) == 0 &&
                  (plain.host.size() == appFolder.size() || plain.host[appFolder.size()] == '/');
  if (overlay == Overlay::kUserFirst && belowApp)
    resolutions.push_back(Resolve(XdgFolder("XDG_DATA_HOME", ".local/share") + "/tiltchime",
                                  components, depth));
  resolutions.push_back(std::move(plain));
  return resolutions;
}

}  // namespace

bool DeviceNameFromHost(const std::string& hostName, std::u16string* deviceName) {
  // A backslash inside a host name would read as a separator on the device.
  return FromUtf8(hostName, deviceName) && deviceName->find(u'\\') == std::u16string::npos;
}

bool HostPathFromDevice(const WCHAR* devicePath, std::string* hostPath, Overlay overlay) {
  if (!CheckDevicePath(devicePath)) return false;
  std::vector<std::u16string> components = Components(devicePath);
  std::vector<Resolution> resolutions = Resolutions(components, overlay);
  const Resolution& plain = resolutions.back();
  const Resolution& user = resolutions.front();
  bool userWins = user.found == components.size() || user.found > plain.found;
  std::string host = userWins ? user.host : plain.host;
  WCHAR last = devicePath[0] ? devicePath[wcslen(devicePath) - 1] : 0;
  if (host.empty() || last == u'\\' || last == u'/') host += "/";
  *hostPath = std::move(host);
  return true;
}

bool HostFoldersFromDevice(const WCHAR* deviceFolder, std::vector<std::string>* hostFolders) {
  if (!CheckDevicePath(deviceFolder)) return false;
  std::vector<std::u16string> components = Components(deviceFolder);
  hostFolders->clear();
  for (Resolution& resolution : Resolutions(components, Overlay::kUserFirst)) {
    if (resolution.found == components.size() && IsFolder(resolution.host + "/"))
      hostFolders->push_back(resolution.host + "/");
  }
  return true;
}

const std::string& ExecutableHostPath() {
  static const std::string path = [] {
    char buffer[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, size_t(n)) : std::string();
  }();
  return path;
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
