// The registry helpers of the Windows Mobile shell (absent from desktop Windows).
#pragma once
#include <windows.h>

extern "C" {
HRESULT RegistryGetDWORD(HKEY hKey, LPCTSTR pszSubKey, LPCTSTR pszValueName, DWORD* pdwData);
HRESULT RegistryGetString(HKEY hKey, LPCTSTR pszSubKey, LPCTSTR pszValueName, LPTSTR pszData,
                          UINT cchData);
HRESULT RegistrySetDWORD(HKEY hKey, LPCTSTR pszSubKey, LPCTSTR pszValueName, DWORD dwData);
HRESULT RegistrySetString(HKEY hKey, LPCTSTR pszSubKey, LPCTSTR pszValueName, LPCTSTR pszData);
}
