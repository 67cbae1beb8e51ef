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

// Results: S_OK; HRESULT_FROM_WIN32(ERROR_INVALID_HANDLE) for a root other than the
// predefined keys; E_INVALIDARG for a null value pointer or buffer, a zero capacity or a
// sub-key with an empty component or a line break; HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)
// for a missing key or value; HRESULT_FROM_WIN32(ERROR_UNSUPPORTED_TYPE) for a value of the other type;
// HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER) for a string that does not fit (cchData
// counts the terminating zero); a write that cannot reach the disk returns the failure of
// the file system and leaves the hive as it was.
// A failed read leaves *pdwData untouched, and leaves pszData as an empty string (when
// cchData is at least 1): a too-long string is never cut to a partial value.
WINCEAPI HRESULT RegistryGetDWORD(HKEY hkey, LPCTSTR pszSubKey, LPCTSTR pszValueName, DWORD* pdwData);
WINCEAPI HRESULT RegistryGetString(HKEY hkey, LPCTSTR pszSubKey, LPCTSTR pszValueName, LPTSTR pszData,
                                   UINT cchData);
WINCEAPI HRESULT RegistrySetDWORD(HKEY hkey, LPCTSTR pszSubKey, LPCTSTR pszValueName, DWORD dwData);
WINCEAPI HRESULT RegistrySetString(HKEY hkey, LPCTSTR pszSubKey, LPCTSTR pszValueName, LPCTSTR pszData);
