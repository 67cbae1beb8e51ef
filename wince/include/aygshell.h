// The shell library: full-screen control and image loading.
#pragma once
#include <windows.h>
#include "ce/aygshell.h"
