// Device paths and host paths.
//
// A device path is the host path with '\' for '/': Windows CE has no drive letters, so
// /home/u/app/TiltChime is \home\u\app\TiltChime. A device path without a leading '\'
// is taken from the root as well (the device has no current folder). The device file
// system ignores case: a component that does not exist with its exact case is matched
// without regard to case among the names of its folder; when several names match, the
// one spelled exactly wins, otherwise the first in byte order of the host names.
//
// The user folder ($XDG_DATA_HOME/tiltchime, by default ~/.local/share/tiltchime) lies
// over the application folder (the executable's): a name below the application folder
// that exists in the user folder is the user's, so an installed, read-only program
// takes the user's own sound collections and skin pictures.
#pragma once

#include <string>
#include <vector>
#include <windows.h>

namespace wince {

// Whether the user folder counts. Code is never taken from it: libraries and programs
// are looked up in the application folder alone.
enum class Overlay { kUserFirst, kNone };

// Maps a device path to the host path, resolving case component by component as far as
// the path exists; the rest is kept as given. Below the application folder the user
// folder's copy wins when the whole path exists there; when neither copy exists, the
// one that exists further down is taken, so errors name the right missing part.
// Returns false (with the last error set) when the path is null
// (ERROR_INVALID_PARAMETER) or longer than MAX_PATH - 1 characters
// (ERROR_FILENAME_EXCED_RANGE).
bool HostPathFromDevice(const WCHAR* devicePath, std::string* hostPath,
                        Overlay overlay = Overlay::kUserFirst);

// Every existing host folder that a device folder stands for, the user folder's first
// (none when neither exists). Fails as HostPathFromDevice does.
bool HostFoldersFromDevice(const WCHAR* deviceFolder, std::vector<std::string>* hostFolders);

// The host path of the running executable, after symbolic links; empty when unknown.
const std::string& ExecutableHostPath();

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
