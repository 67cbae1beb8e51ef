// Files, modules and processes: the module file name, directory enumeration, file
// attributes, run-time library loading and starting programs.
//
// Paths are device paths: the host path with '\' for '/', no drive letters, matched
// without regard to case (see wince/src/files/paths.h in the layer's sources).
#pragma once
#include "ce/types.h"
#include "ce/kernel.h"

#ifndef _FILETIME_
#define _FILETIME_
typedef struct _FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
} FILETIME, *PFILETIME, *LPFILETIME;
#endif

#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define INVALID_FILE_ATTRIBUTES ((DWORD)0xFFFFFFFF)

// The device's layout of the record: object id instead of the short name.
typedef struct _WIN32_FIND_DATAW {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwOID;
  WCHAR cFileName[MAX_PATH];
} WIN32_FIND_DATAW, *PWIN32_FIND_DATAW, *LPWIN32_FIND_DATAW;
typedef WIN32_FIND_DATAW WIN32_FIND_DATA;
typedef LPWIN32_FIND_DATAW LPWIN32_FIND_DATA;

// Full path of the executable (module null or the executable's instance) or of a library
// loaded by LoadLibraryW. Returns the number of characters copied without the
// terminator; when the buffer is too small the name is cut to size - 1 characters and
// terminated, size is returned and the last error is ERROR_INSUFFICIENT_BUFFER.
WINCEAPI DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);
#define GetModuleFileName GetModuleFileNameW

// Wildcards '*' and '?' in the last component match without regard to case; "." and
// ".." are never reported. Entries come in case-insensitive name order.
// Nothing found: INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND, or ERROR_PATH_NOT_FOUND
// when the folder does not exist. FindNextFileW past the last entry: FALSE with
// ERROR_NO_MORE_FILES.
WINCEAPI HANDLE FindFirstFileW(LPCWSTR fileName, LPWIN32_FIND_DATAW findData);
WINCEAPI BOOL FindNextFileW(HANDLE find, LPWIN32_FIND_DATAW findData);
WINCEAPI BOOL FindClose(HANDLE find);
#define FindFirstFile FindFirstFileW
#define FindNextFile FindNextFileW

WINCEAPI DWORD GetFileAttributesW(LPCWSTR fileName);
#define GetFileAttributes GetFileAttributesW

#define GENERIC_READ 0x80000000L
#define GENERIC_WRITE 0x40000000L
#define FILE_SHARE_READ 0x00000001
#define FILE_SHARE_WRITE 0x00000002
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5
#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2
#define INVALID_SET_FILE_POINTER ((DWORD)0xFFFFFFFF)

// The device has no overlapped input and output: the argument must be null.
typedef struct _OVERLAPPED* LPOVERLAPPED;

// Files are opened for reading only (GENERIC_READ, OPEN_EXISTING; share mode, attributes
// and flags are accepted and have no effect here); anything else fails with
// ERROR_NOT_SUPPORTED. A missing file gives ERROR_FILE_NOT_FOUND, a missing folder
// ERROR_PATH_NOT_FOUND, a folder or anything else that is not a plain file
// ERROR_ACCESS_DENIED, as does a file the host does not let the user read. The handle is
// released with CloseHandle.
WINCEAPI HANDLE CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode,
                            LPSECURITY_ATTRIBUTES securityAttributes, DWORD creationDisposition,
                            DWORD flagsAndAttributes, HANDLE templateFile);
#define CreateFile CreateFileW
// Reads up to bytesToRead bytes at the file pointer and moves it on; fewer only at the
// file's end (0 there, still TRUE). bytesRead is required and overlapped must be null
// (ERROR_INVALID_PARAMETER); a handle that is not a file gives ERROR_INVALID_HANDLE.
WINCEAPI BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead,
                       LPOVERLAPPED overlapped);
// Moves the file pointer (FILE_BEGIN, FILE_CURRENT, FILE_END; distanceHigh, when given,
// holds the high 32 bits of a signed 64-bit distance and receives those of the result).
// Returns the low 32 bits of the new position; INVALID_SET_FILE_POINTER with
// ERROR_NEGATIVE_SEEK before the start, ERROR_INVALID_PARAMETER for another method.
// Beyond the end is allowed: reading there gives 0 bytes.
WINCEAPI DWORD SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD moveMethod);

// "X.dll" is looked for beside the executable as the shared library "X.so", then
// "libX.so", then at the path as given. Missing: NULL with ERROR_MOD_NOT_FOUND.
WINCEAPI HMODULE LoadLibraryW(LPCWSTR libFileName);
#define LoadLibrary LoadLibraryW
WINCEAPI BOOL FreeLibrary(HMODULE module);
// The device's GetProcAddress takes a wide name. Missing: NULL with ERROR_PROC_NOT_FOUND.
WINCEAPI FARPROC GetProcAddressW(HMODULE module, LPCWSTR procName);
WINCEAPI FARPROC GetProcAddressA(HMODULE module, LPCSTR procName);
#define GetProcAddress GetProcAddressW

typedef struct _STARTUPINFOW {
  DWORD cb;
  LPWSTR lpReserved;
  LPWSTR lpDesktop;
  LPWSTR lpTitle;
  DWORD dwX;
  DWORD dwY;
  DWORD dwXSize;
  DWORD dwYSize;
  DWORD dwXCountChars;
  DWORD dwYCountChars;
  DWORD dwFillAttribute;
  DWORD dwFlags;
  WORD wShowWindow;
  WORD cbReserved2;
  LPBYTE lpReserved2;
  HANDLE hStdInput;
  HANDLE hStdOutput;
  HANDLE hStdError;
} STARTUPINFOW, *LPSTARTUPINFOW;
typedef STARTUPINFOW STARTUPINFO;
typedef LPSTARTUPINFOW LPSTARTUPINFO;

typedef struct _PROCESS_INFORMATION {
  HANDLE hProcess;
  HANDLE hThread;
  DWORD dwProcessId;
  DWORD dwThreadId;
} PROCESS_INFORMATION, *PPROCESS_INFORMATION, *LPPROCESS_INFORMATION;

// Starts the host program at the device path imageName; the command line holds the
// arguments only (the device does not repeat the program name), split at blanks outside
// double quotes. "\Windows\iexplore.exe" is the host's default browser, given the
// command line as the address. A missing program: FALSE with ERROR_FILE_NOT_FOUND.
// Both handles of processInformation are released with CloseHandle; the process handle
// is signalled when the program ends.
WINCEAPI BOOL CreateProcessW(LPCWSTR imageName, LPWSTR commandLine,
                             LPSECURITY_ATTRIBUTES processAttributes,
                             LPSECURITY_ATTRIBUTES threadAttributes, BOOL inheritHandles,
                             DWORD creationFlags, LPVOID environment, LPWSTR currentDirectory,
                             LPSTARTUPINFOW startupInfo,
                             LPPROCESS_INFORMATION processInformation);
#define CreateProcess CreateProcessW
