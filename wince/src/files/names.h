// Host folder listings and the device's rules for comparing names.
#pragma once

#include <string>
#include <vector>
#include <windows.h>

namespace wince {

// The names in a host folder without "." and "..", in no particular order; empty when
// the folder cannot be read.
std::vector<std::string> ListFolder(const std::string& hostFolder);

bool NamesEqualIgnoringCase(const std::u16string& a, const std::u16string& b);

// Matches a name against a pattern with '*' (any run, also empty) and '?' (exactly one
// character), without regard to case. "*.*" matches every name, as on Windows.
// The device's error code for a failed host file operation on hostPath: a missing name
// in an existing folder is ERROR_FILE_NOT_FOUND, a missing folder ERROR_PATH_NOT_FOUND.
DWORD FileErrorFromErrno(int error, const std::string& hostPath);

bool MatchesWildcard(const std::u16string& name, const std::u16string& pattern);

}  // namespace wince
