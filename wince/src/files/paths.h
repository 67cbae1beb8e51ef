// Device paths and host paths.
//
// A device path is the host path with '\' for '/': Windows CE has no drive letters, so
// /home/u/app/TiltChime is \home\u\app\TiltChime. A device path without a leading '\'
// is taken from the root as well (the device has no current folder). The device file
// system ignores case: a component that does not exist with its exact case is matched
// without regard to case among the names of its folder; when several names match, the
// one spelled exactly wins, otherwise the first in byte order of the host names.
#pragma once

#include <string>
#include <windows.h>

namespace wince {

// Maps a device path to the host path, resolving case component by component as far as
// the path exists; the rest is kept as given. Returns false (with the last error set)
// when the path is null (ERROR_INVALID_PARAMETER) or longer than MAX_PATH - 1
// characters (ERROR_FILENAME_EXCED_RANGE).
bool HostPathFromDevice(const WCHAR* devicePath, std::string* hostPath);

// True when the host path names a regular file (after symbolic links): not a folder, a
// pipe or a device, which a reader could block on or misread.
bool IsRegularFile(const std::string& hostPath);

// Maps an absolute host path to a device path ('/' becomes '\'). Returns the empty text
// when the host path is not valid UTF-8 and so has no device name.
std::u16string DevicePathFromHost(const std::string& hostPath);

// The name of one host folder entry as the device sees it; false when the host name is
// not valid UTF-8 (such entries are invisible on the device).
bool DeviceNameFromHost(const std::string& hostName, std::u16string* deviceName);

}  // namespace wince
