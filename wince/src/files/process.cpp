// Starting programs: host programs by their device path, and the device's stock browser
// as the host's default browser.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <thread>
#include <vector>

#include "common/utf.h"
#include "files/paths.h"
#include "kernel/handle.h"

extern char** environ;

namespace {

// Signalled, for good, when the program has ended; its reaper collected the exit status.
class ProcessObject : public wince::KernelObject {
 public:
  bool Waitable() const override { return true; }
  bool TryAcquire() override { return ended; }
  bool ended = false;
};

// Waits for this one child only, so other children of the host process are left to
// whoever started them, and no zombie remains.
void ReapInBackground(pid_t pid, std::shared_ptr<ProcessObject> process) {
  std::thread([pid, process] {
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    auto lock = wince::LockKernel();
    process->ended = true;
    wince::WakeWaiters();
  }).detach();
}

// The device passes the arguments as one text; the host wants them one by one: split at
// blanks, with double quotes grouping (the quotes themselves are dropped).
std::vector<std::string> SplitArguments(const std::string& commandLine) {
  std::vector<std::string> arguments;
  std::string current;
  bool quoted = false, inArgument = false;
  for (char c : commandLine) {
    if (c == '"') {
      quoted = !quoted;
      inArgument = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (inArgument) arguments.push_back(current);
      current.clear();
      inArgument = false;
    } else {
      current += c;
      inArgument = true;
    }
  }
  if (inArgument) arguments.push_back(current);
  return arguments;
}

DWORD SpawnErrorCode(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return ERROR_FILE_NOT_FOUND;
    case EACCES:
    case EPERM: return ERROR_ACCESS_DENIED;
    case ENOEXEC: return ERROR_BAD_FORMAT;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    default: return ERROR_FILE_NOT_FOUND;
  }
}

bool IsStockBrowser(LPCWSTR imageName) { return _wcsicmp(imageName, TEXT("\\Windows\\iexplore.exe")) == 0; }

// The host file of a program: its device path, or the same without ".exe", since host
// programs carry no extension.
bool ProgramHostPath(LPCWSTR imageName, std::string* hostPath) {
  if (!wince::HostPathFromDevice(imageName, hostPath, wince::Overlay::kNone)) return false;
  if (wince::IsRegularFile(*hostPath)) return true;
  std::u16string name(imageName);
  if (name.size() > 4 && _wcsicmp(name.c_str() + name.size() - 4, TEXT(".exe")) == 0) {
    name.resize(name.size() - 4);
    if (wince::HostPathFromDevice(name.c_str(), hostPath, wince::Overlay::kNone) &&
        wince::IsRegularFile(*hostPath))
      return true;
  }
  SetLastError(ERROR_FILE_NOT_FOUND);
  return false;
}

// The handles of a started program; its first thread is signalled together with it.
BOOL Started(pid_t pid, LPPROCESS_INFORMATION processInformation) {
  auto process = std::make_shared<ProcessObject>();
  ReapInBackground(pid, process);
  if (processInformation) {
    processInformation->hProcess = wince::InsertHandle(process);
    processInformation->hThread = wince::InsertHandle(process);
    processInformation->dwProcessId = DWORD(pid);
    processInformation->dwThreadId = DWORD(pid);
  }
  return TRUE;
}

}  // namespace

BOOL CreateProcessW(LPCWSTR imageName, LPWSTR commandLine, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES,
                    BOOL, DWORD, LPVOID, LPWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION processInformation) {
  if (!imageName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string arguments = commandLine ? wince::ToUtf8(commandLine) : std::string();
  std::vector<std::string> argv;
  bool searchPath = false;
  if (IsStockBrowser(imageName)) {
    // WINCE_BROWSER names another opener (tests use a stand-in).
    const char* browser = getenv("WINCE_BROWSER");
    argv = {browser && *browser ? browser : "xdg-open", arguments};
    searchPath = true;
  } else {
    std::string hostPath;
    if (!ProgramHostPath(imageName, &hostPath)) return FALSE;
    argv = SplitArguments(arguments);
    argv.insert(argv.begin(), hostPath);
  }
  std::vector<char*> args;
  for (std::string& argument : argv) args.push_back(argument.data());
  args.push_back(nullptr);

  // The program gets the standard streams only: files that the layer or its libraries
  // hold open (fonts, images, sounds) are not handed on.
  posix_spawn_file_actions_t actions;
  int error = posix_spawn_file_actions_init(&actions);
  if (error == 0) {
    error = posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    pid_t pid;
    if (error == 0)
      error = searchPath ? posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ)
                         : posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error == 0) return Started(pid, processInformation);
  }
  SetLastError(SpawnErrorCode(error));
  return FALSE;
}
