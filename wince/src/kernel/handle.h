// Kernel objects behind HANDLE: the handle table and the waiting that the test driver
// sees (a thread blocked here counts as idle).
#pragma once

#include <memory>
#include <mutex>
#include <windows.h>

namespace wince {

class KernelObject {
 public:
  virtual ~KernelObject() = default;
  // Called with the kernel lock held: true when a wait on the object is satisfied now.
  // An auto-reset object consumes its signal here. Objects that cannot be waited on
  // keep the default.
  virtual bool TryAcquire() { return false; }
  virtual bool Waitable() const { return false; }
};

// The one lock that guards the state of every waitable object and message queue.
std::unique_lock<std::mutex> LockKernel();
// With the kernel lock held: every waiter re-checks its condition (call after a
// waitable object changed state).
void WakeWaiters();

// A new handle owning a reference to the object; CloseHandle drops it.
HANDLE InsertHandle(std::shared_ptr<KernelObject> object);
// The object behind a handle, or null (sets no error).
std::shared_ptr<KernelObject> HandleObject(HANDLE handle);

template <class T>
std::shared_ptr<T> HandleObjectAs(HANDLE handle) {
  return std::dynamic_pointer_cast<T>(HandleObject(handle));
}

}  // namespace wince
