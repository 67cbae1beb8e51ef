#include "kernel/handle.h"

#include <unordered_map>

#include "kernel/sched.h"

namespace wince {
namespace {

struct HandleTable {
  std::mutex lock;
  std::unordered_map<uintptr_t, std::shared_ptr<KernelObject>> objects;
  // Handle values are multiples of 4 as on Windows, never reused soon, never null or -1.
  uintptr_t next = 0x1000;
};

HandleTable& Table() {
  static HandleTable* table = new HandleTable;  // outlives detached threads at exit
  return *table;
}

}  // namespace

std::unique_lock<std::mutex> LockKernel() {
  static std::mutex* kernel = new std::mutex;
  return std::unique_lock<std::mutex>(*kernel);
}

HANDLE InsertHandle(std::shared_ptr<KernelObject> object) {
  HandleTable& table = Table();
  std::lock_guard<std::mutex> guard(table.lock);
  uintptr_t value = table.next;
  table.next += 4;
  table.objects.emplace(value, std::move(object));
  return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> HandleObject(HANDLE handle) {
  HandleTable& table = Table();
  std::lock_guard<std::mutex> guard(table.lock);
  auto found = table.objects.find(reinterpret_cast<uintptr_t>(handle));
  return found == table.objects.end() ? nullptr : found->second;
}

}  // namespace wince

BOOL CloseHandle(HANDLE handle) {
  std::shared_ptr<wince::KernelObject> object;  // destroyed outside the table's lock
  {
    wince::HandleTable& table = wince::Table();
    std::lock_guard<std::mutex> guard(table.lock);
    auto found = table.objects.find(reinterpret_cast<uintptr_t>(handle));
    if (found == table.objects.end()) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    object = std::move(found->second);
    table.objects.erase(found);
  }
  return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  std::shared_ptr<wince::KernelObject> object = wince::HandleObject(handle);
  if (!object || !object->Waitable()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  uint64_t deadline = wince::DeadlineAfter(milliseconds);
  auto lock = wince::LockKernel();
  return wince::WaitFor(lock, [&] { return object->TryAcquire(); }, deadline) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}
