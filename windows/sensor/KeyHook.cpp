// The layer's key hook for the keyboard source of the sensor library, from Windows' own
// keyboard hook on the thread of the program's window: it sees the keys pressed while
// the window has the focus, as the layer's hook does. Auto-repeat is left out.
#include <windows.h>

#include <atomic>
#include <mutex>

#include <wince/host.h>

namespace {

std::mutex hookLock;
HHOOK hook = nullptr;
std::atomic<WinceKeyHook> callback{nullptr};

BOOL CALLBACK FindOwnWindow(HWND window, LPARAM thread) {
  DWORD process = 0;
  DWORD owner = GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return TRUE;
  *reinterpret_cast<DWORD*>(thread) = owner;
  return FALSE;
}

// The thread of the process' window: the one whose messages carry the keys.
DWORD WindowThread() {
  DWORD thread = 0;
  EnumWindows(FindOwnWindow, reinterpret_cast<LPARAM>(&thread));
  return thread;
}

LRESULT CALLBACK OnKeyboard(int code, WPARAM key, LPARAM flags) {
  const bool released = (flags & (LPARAM(1) << 31)) != 0;
  const bool repeated = !released && (flags & (LPARAM(1) << 30)) != 0;
  WinceKeyHook hookProc = callback.load();
  if (code == HC_ACTION && !repeated && hookProc) hookProc(UINT(key), released ? FALSE : TRUE, GetTickCount());
  return CallNextHookEx(nullptr, code, key, flags);
}

}  // namespace

void WinceSetKeyHook(WinceKeyHook hookProc) {
  std::lock_guard<std::mutex> lock(hookLock);
  callback.store(hookProc);
  if (hookProc && !hook) {
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&OnKeyboard), &self);
    if (DWORD thread = WindowThread()) hook = SetWindowsHookExW(WH_KEYBOARD, OnKeyboard, self, thread);
  } else if (!hookProc && hook) {
    UnhookWindowsHookEx(hook);
    hook = nullptr;
  }
}
