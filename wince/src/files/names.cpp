#include "files/names.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>

namespace wince {

std::vector<std::string> ListFolder(const std::string& hostFolder) {
  std::vector<std::string> names;
  DIR* dir = opendir(hostFolder.empty() ? "/" : hostFolder.c_str());
  if (!dir) return names;
  while (const dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(std::move(name));
  }
  closedir(dir);
  return names;
}

bool NamesEqualIgnoringCase(const std::u16string& a, const std::u16string& b) {
  return a.size() == b.size() && _wcsnicmp(a.c_str(), b.c_str(), a.size()) == 0;
}

DWORD FileErrorFromErrno(int error, const std::string& hostPath) {
  switch (error) {
    case ENOENT: {
      std::string folder = hostPath.substr(0, hostPath.find_last_of('/') + 1);
      struct stat st;
      bool folderExists = stat(folder.empty() ? "/" : folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
      return folderExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    }
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EACCES:
    case EPERM: return ERROR_ACCESS_DENIED;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    default: return ERROR_FILE_NOT_FOUND;
  }
}

bool MatchesWildcard(const std::u16string& name, const std::u16string& pattern) {
  if (pattern == u"*.*") return true;
  // Greedy matching with one backtrack point: the last '*' seen.
  size_t n = 0, p = 0, starP = std::u16string::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == u'*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() &&
               (pattern[p] == u'?' || towlower(pattern[p]) == towlower(name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::u16string::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') ++p;
  return p == pattern.size();
}

}  // namespace wince
