// The program's word to its user: one line on the device's debug channel for each failure
// the user can fix, naming the file or folder and what to do. A normal run says nothing.
#pragma once

#include <initializer_list>
#include <windows.h>

// Writes "TiltChime: " and the parts in order as one line through OutputDebugStringW. A
// line already written in this run is not written again, so a cause met many times (a
// sound tapped again and again) is told once. Null parts are skipped; a line of more than
// 1010 characters is cut. Safe from any thread.
void TellUser(std::initializer_list<const WCHAR*> parts);

// The decimal digits of value in a buffer of 12 characters, for the parts of a line.
const WCHAR* NumberText(int value, WCHAR (&buffer)[12]);
