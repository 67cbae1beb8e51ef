#include "common/xdg.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace wince {

namespace {

// getpwuid_r, since the layer's threads may ask at the same time.
std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  long size = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? size_t(size) : 16384);
  passwd entry;
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found)
    return found->pw_dir;
  return "/tmp";
}

}  // namespace

std::string XdgFolder(const char* variable, const char* belowHome) {
  const char* set = std::getenv(variable);
  if (set && set[0] == '/') return set;
  return HomeFolder() + "/" + belowHome;
}

}  // namespace wince
