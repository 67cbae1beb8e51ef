// Event objects.
#include "kernel/handle.h"
#include "kernel/sched.h"

namespace wince {
namespace {

class EventObject : public KernelObject {
 public:
  EventObject(bool manualReset, bool signaled) : manualReset(manualReset), signaled(signaled) {}
  bool Waitable() const override { return true; }
  bool TryAcquire() override {
    if (!signaled) return false;
    if (!manualReset) signaled = false;  // an auto-reset event releases one waiter
    return true;
  }
  const bool manualReset;
  bool signaled;  // guarded by the kernel lock
};

BOOL SetSignaled(HANDLE event, bool signaled) {
  auto object = HandleObjectAs<EventObject>(event);
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  auto lock = LockKernel();
  object->signaled = signaled;
  if (signaled) WakeWaiters();
  return TRUE;
}

}  // namespace
}  // namespace wince

HANDLE CreateEventW(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState, LPCWSTR name) {
  // Named events would be shared between processes; nothing in the layer needs them.
  if (name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return wince::InsertHandle(std::make_shared<wince::EventObject>(manualReset, initialState));
}

BOOL SetEvent(HANDLE event) { return wince::SetSignaled(event, true); }

BOOL ResetEvent(HANDLE event) { return wince::SetSignaled(event, false); }
