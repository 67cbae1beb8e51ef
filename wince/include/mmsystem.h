// Multimedia: PlaySound.
#pragma once
#include <windows.h>
