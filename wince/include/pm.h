// Power management.
#pragma once
#include <windows.h>
