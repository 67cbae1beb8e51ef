#include "registry/store.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "common/xdg.h"
#include "files/paths.h"
#include "kernel/power.h"

namespace wince::registry {

namespace {

constexpr long kErrorDiskFull = 112;
// Anything larger is not a hive this layer wrote; it is kept aside like a garbled one.
constexpr off_t kMaxFileSize = 64 << 20;

HRESULT FromErrno(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS: return HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
    case ENOSPC:
    case EDQUOT: return HRESULT_FROM_WIN32(kErrorDiskFull);
    case ENOENT:
    case ENOTDIR: return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
    default: return E_FAIL;
  }
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Flushes a folder's entries, so that a rename or a new name in it survives a power cut.
// Best effort: once the name is in place nothing can be undone, and the hive in memory
// must go on matching the file.
void SyncFolder(const std::string& folder) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

bool MakeFolders(const std::string& folder) {
  if (folder.empty() || folder == "/" || folder == ".") return true;
  struct stat st;
  if (stat(folder.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  if (!MakeFolders(FolderOf(folder))) return false;
  if (mkdir(folder.c_str(), 0700) != 0) return errno == EEXIST;
  SyncFolder(FolderOf(folder));
  return true;
}

std::string TempPathFor(const std::string& path) { return path + ".tmp-" + std::to_string(getpid()); }

// Removes the temporary files of writers that died before renaming them.
void RemoveStaleTemps(const std::string& path) {
  std::string prefix = NameOf(path) + ".tmp-";
  DIR* dir = opendir(FolderOf(path).c_str());
  if (!dir) return;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name.compare(0, prefix.size(), prefix) != 0) continue;
    char* end = nullptr;
    long pid = std::strtol(name.c_str() + prefix.size(), &end, 10);
    if (pid <= 0 || *end != '\0') continue;
    if (pid == getpid() || (kill(pid_t(pid), 0) != 0 && errno == ESRCH)) {
      unlink((FolderOf(path) + "/" + name).c_str());
    }
  }
  closedir(dir);
}

bool WriteAll(int fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    ssize_t n = write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += size_t(n);
  }
  return true;
}

// Writes a temporary file beside the hive's file, flushes it and renames it over the
// old one, so a crash at any moment leaves either the old file or the new one. A failure
// leaves its errno in failure.
HRESULT ReplaceFile(const std::string& path, const std::string& text, int* failure) {
  std::string folder = FolderOf(path);
  *failure = 0;
  if (!MakeFolders(folder)) return FromErrno(*failure = errno);
  std::string temp = TempPathFor(path);
  int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return FromErrno(*failure = errno);
  bool ok = WriteAll(fd, text) && fsync(fd) == 0;
  int error = errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && rename(temp.c_str(), path.c_str()) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    unlink(temp.c_str());
    *failure = error;
    return FromErrno(error);
  }
  SyncFolder(folder);
  return S_OK;
}

enum class ReadResult { Ok, Missing, TooLarge, Failed };

ReadResult ReadFile(const std::string& path, std::string* text, int* error) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    *error = errno;
    return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
  }
  struct stat st;
  ReadResult result = ReadResult::Ok;
  if (fstat(fd, &st) != 0) {
    *error = errno;
    result = ReadResult::Failed;
  } else if (!S_ISREG(st.st_mode)) {
    *error = EISDIR;
    result = ReadResult::Failed;
  } else if (st.st_size > kMaxFileSize) {
    result = ReadResult::TooLarge;
  } else {
    char buffer[65536];
    for (;;) {
      ssize_t n = read(fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        *error = errno;
        result = ReadResult::Failed;
      }
      if (n <= 0) break;
      text->append(buffer, size_t(n));
    }
  }
  close(fd);
  return result;
}

// Moves a garbled file to <file>.corrupt-<UTC time>[-n], never over an existing file,
// and names the new file in movedTo.
bool MoveAside(const std::string& path, std::string* movedTo) {
  char stamp[32];
  time_t now = time(nullptr);
  struct tm utc;
  gmtime_r(&now, &utc);
  strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &utc);
  std::string base = path + ".corrupt-" + stamp;
  for (int n = 0; n < 1000; ++n) {
    std::string target = n == 0 ? base : base + "-" + std::to_string(n);
    *movedTo = target;
    if (link(path.c_str(), target.c_str()) == 0) return unlink(path.c_str()) == 0;
    if (errno == EEXIST) continue;
    // File systems without hard links: check, then rename.
    struct stat st;
    if (lstat(target.c_str(), &st) == 0) continue;
    return rename(path.c_str(), target.c_str()) == 0;
  }
  return false;
}

}  // namespace

std::string DefaultRegistryPath() {
  const char* over = std::getenv("WINCE_REGISTRY");
  if (over && *over) return over;
  return XdgFolder("XDG_CONFIG_HOME", ".config") + "/tiltchime/registry.reg";
}

Store& Store::Instance() {
  static Store* store = new Store;
  return *store;
}

void Store::LoadLocked() {
  if (loaded_) return;
  loaded_ = true;
  path_ = DefaultRegistryPath();
  std::string text, movedTo;
  int error = 0;
  switch (ReadFile(path_, &text, &error)) {
    case ReadResult::Missing: ImportInitialLocked(); break;
    case ReadResult::Failed:
      // Shown as the installer's values, never written over.
      writeBlocked_ = FromErrno(error);
      DebugLine("the settings file " + path_ + " cannot be read (" + std::strerror(error) +
                "): settings are not saved until it can; check its permissions");
      ImportInitialLocked();
      break;
    case ReadResult::Ok:
      // A file with lines that cannot be read is kept aside whole; every value that
      // could be read stays, and the next change writes them to a fresh file.
      if (Hive::FromText(text, &hive_)) break;
      [[fallthrough]];
    case ReadResult::TooLarge:
      if (MoveAside(path_, &movedTo)) {
        DebugLine("the settings file " + path_ + " was damaged and is kept as " + movedTo +
                  "; settings it did not hold start from their defaults");
      } else {
        int failure = errno;
        writeBlocked_ = FromErrno(failure);
        DebugLine("the settings file " + path_ + " is damaged and cannot be moved aside (" +
                  std::strerror(failure) + "): settings are not saved; make its folder writable");
      }
      // Nothing in it could be read: the program starts as after its installation.
      if (hive_.Empty()) ImportInitialLocked();
      break;
  }
  RemoveStaleTemps(path_);
}

void Store::ImportInitialLocked() {
  std::string text;
  int error = 0;
  if (ReadFile(ExecutableHostPath() + ".reg", &text, &error) == ReadResult::Ok) Hive::FromText(text, &hive_);
}

HRESULT Store::Read(const std::function<HRESULT(const Hive&)>& read) {
  std::lock_guard<std::mutex> lock(mutex_);
  LoadLocked();
  return read(hive_);
}

HRESULT Store::Change(const std::function<void(Hive*)>& change) {
  std::lock_guard<std::mutex> lock(mutex_);
  LoadLocked();
  if (writeBlocked_ != S_OK) return writeBlocked_;
  Hive next = hive_;
  change(&next);
  int failure = 0;
  HRESULT hr = ReplaceFile(path_, next.ToText(), &failure);
  if (SUCCEEDED(hr)) {
    hive_ = std::move(next);
  } else if (!writeFailureTold_) {
    writeFailureTold_ = true;
    DebugLine("settings cannot be saved to " + path_ + " (" + std::strerror(failure) +
              "): make that folder writable, or name another file in WINCE_REGISTRY");
  }
  return hr;
}

}  // namespace wince::registry
