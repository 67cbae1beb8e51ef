// Bounded string copies: the destination is always terminated and never overrun.
#pragma once

#include <windows.h>

#define STRSAFE_E_INSUFFICIENT_BUFFER ((HRESULT)0x8007007AL)
#define STRSAFE_E_INVALID_PARAMETER ((HRESULT)0x80070057L)
#define STRSAFE_MAX_CCH 2147483647

// Copy src into dst of cch characters; on truncation dst holds the first cch-1
// characters and STRSAFE_E_INSUFFICIENT_BUFFER is returned.
WINCEAPI HRESULT StringCchCopyW(LPWSTR dst, size_t cch, LPCWSTR src);
WINCEAPI HRESULT StringCchCopyNW(LPWSTR dst, size_t cch, LPCWSTR src, size_t cchSrc);
WINCEAPI HRESULT StringCchCatW(LPWSTR dst, size_t cch, LPCWSTR src);
WINCEAPI HRESULT StringCchLengthW(LPCWSTR s, size_t cchMax, size_t* len);
#define StringCchCopy StringCchCopyW
#define StringCchCat StringCchCatW
