// The registry helpers of the shell library.
#pragma once
#include <windows.h>
#include "ce/regext.h"
