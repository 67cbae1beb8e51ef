// The executable's module.
#pragma once

#include <windows.h>

namespace wince {

// The instance handle of the executable, given to WinMain; the resource functions accept it.
HINSTANCE ExecutableInstance();

}  // namespace wince
