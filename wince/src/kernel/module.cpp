#include "kernel/module.h"

namespace wince {

HINSTANCE ExecutableInstance() {
  // A fixed, aligned, non-null value, like the load address of the executable's image.
  return reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x00010000));
}

}  // namespace wince
