// Files opened for reading: CreateFileW, ReadFile, SetFilePointer (CloseHandle releases).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "files/names.h"
#include "files/paths.h"
#include "kernel/handle.h"

namespace {

class FileObject : public wince::KernelObject {
 public:
  explicit FileObject(int fd) : fd_(fd) {}
  ~FileObject() override { close(fd_); }
  FileObject(const FileObject&) = delete;
  FileObject& operator=(const FileObject&) = delete;
  int Fd() const { return fd_; }

 private:
  int fd_;
};

HANDLE Fail(DWORD error) {
  SetLastError(error);
  return INVALID_HANDLE_VALUE;
}

}  // namespace

HANDLE CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD, LPSECURITY_ATTRIBUTES, DWORD creationDisposition,
                   DWORD, HANDLE) {
  if (!fileName) return Fail(ERROR_INVALID_PARAMETER);
  if (desiredAccess != GENERIC_READ || creationDisposition != OPEN_EXISTING) return Fail(ERROR_NOT_SUPPORTED);
  std::string hostPath;
  if (!wince::HostPathFromDevice(fileName, &hostPath)) return INVALID_HANDLE_VALUE;
  // Not blocking: a pipe or device is refused below rather than waited on.
  int fd = open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return Fail(wince::FileErrorFromErrno(errno, hostPath));
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return Fail(ERROR_ACCESS_DENIED);
  }
  return wince::InsertHandle(std::make_shared<FileObject>(fd));
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, LPOVERLAPPED overlapped) {
  if (!bytesRead || overlapped || (!buffer && bytesToRead)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *bytesRead = 0;
  std::shared_ptr<FileObject> object = wince::HandleObjectAs<FileObject>(file);
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  auto* out = static_cast<char*>(buffer);
  DWORD done = 0;
  while (done < bytesToRead) {
    ssize_t n = read(object->Fd(), out + done, bytesToRead - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      *bytesRead = done;
      SetLastError(wince::FileErrorFromErrno(errno, std::string()));
      return FALSE;
    }
    if (n == 0) break;
    done += DWORD(n);
  }
  *bytesRead = done;
  return TRUE;
}

DWORD SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD moveMethod) {
  std::shared_ptr<FileObject> object = wince::HandleObjectAs<FileObject>(file);
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return INVALID_SET_FILE_POINTER;
  }
  // Without distanceHigh the distance is a signed 32-bit value.
  int64_t move = distanceHigh ? int64_t(uint64_t(uint32_t(*distanceHigh)) << 32 | uint32_t(distance)) : distance;
  int64_t base = 0;
  switch (moveMethod) {
    case FILE_BEGIN: break;
    case FILE_CURRENT: base = lseek(object->Fd(), 0, SEEK_CUR); break;
    case FILE_END: {
      struct stat st;
      base = fstat(object->Fd(), &st) == 0 ? st.st_size : -1;
      break;
    }
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return INVALID_SET_FILE_POINTER;
  }
  if (base < 0 || base + move < 0) {
    SetLastError(ERROR_NEGATIVE_SEEK);
    return INVALID_SET_FILE_POINTER;
  }
  int64_t position = lseek(object->Fd(), off_t(base + move), SEEK_SET);
  if (position < 0) {
    SetLastError(ERROR_NEGATIVE_SEEK);
    return INVALID_SET_FILE_POINTER;
  }
  if (distanceHigh) *distanceHigh = LONG(position >> 32);
  // A position whose low half is all ones is no error, which the cleared last error says.
  if (DWORD(position) == INVALID_SET_FILE_POINTER) SetLastError(ERROR_SUCCESS);
  return DWORD(position);
}
