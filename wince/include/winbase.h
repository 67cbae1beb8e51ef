// Part of <windows.h>, as in the SDK.
#pragma once
#include <windows.h>
