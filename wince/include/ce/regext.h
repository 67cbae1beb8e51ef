// The registry helpers of the Windows Mobile shell library.
//
// The registry is a per-user hive kept in a text file in the registry editor's .reg syntax
// (UTF-8): $WINCE_REGISTRY when set, otherwise $XDG_CONFIG_HOME/tiltchime/registry.reg
// (~/.config when XDG_CONFIG_HOME is unset). Key names ignore case, and a sub-key with or
// without a leading backslash names the same key. A null or empty sub-key is the root key
// itself; a null or empty value name is the key's default value. Every successful set is on
// disk, atomically, before the call returns.
#pragma once
#include "ce/types.h"

#ifndef HRESULT_FROM_WIN32
#define HRESULT_FROM_WIN32(x) \
  ((HRESULT)(x) <= 0 ? ((HRESULT)(x)) : ((HRESULT)(((x) & 0x0000FFFF) | (7 << 16) | 0x80000000)))
#endif

#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)0x80000000UL)
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)0x80000001UL)
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)0x80000002UL)
#define HKEY_USERS ((HKEY)(ULONG_PTR)0x80000003UL)

#ifndef ERROR_DATATYPE_MISMATCH
#define ERROR_DATATYPE_MISMATCH 1629L
#endif
#define E_DATATYPE_MISMATCH HRESULT_FROM_WIN32(ERROR_DATATYPE_MISMATCH)
#define E_INSUFFICIENT_BUFFER HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER)

// Results: S_OK; E_INVALIDARG for a root other than the predefined keys, a null value
// pointer or buffer, a zero capacity or a sub-key with an empty component or a line break;
// HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) for a missing key or value; E_DATATYPE_MISMATCH
// for reading a value of the other type; E_INSUFFICIENT_BUFFER for a string that does not
// fit (cchData counts the terminating zero); a write that cannot reach the disk returns
// the failure of the file system and leaves the hive as it was.
// A failed read changes nothing: *pdwData and pszData keep what they held, so a
// too-long string is never cut to a partial value.
// A set creates the key when it is missing and replaces a value of the other type, so
// that a hand-edited value of the wrong type cannot block the program's own writes.
WINCEAPI HRESULT RegistryGetDWORD(HKEY hkey, LPCTSTR pszSubKey, LPCTSTR pszValueName, DWORD* pdwData);
WINCEAPI HRESULT RegistryGetString(HKEY hkey, LPCTSTR pszSubKey, LPCTSTR pszValueName, LPTSTR pszData,
                                   UINT cchData);
WINCEAPI HRESULT RegistrySetDWORD(HKEY hkey, LPCTSTR pszSubKey, LPCTSTR pszValueName, DWORD dwData);
WINCEAPI HRESULT RegistrySetString(HKEY hkey, LPCTSTR pszSubKey, LPCTSTR pszValueName, LPCTSTR pszData);
