// The C library's wide-string functions for the device's 16-bit WCHAR.
#pragma once

#include "ce/types.h"

WINCEAPI size_t wcslen(const WCHAR* s);
WINCEAPI size_t wcsnlen(const WCHAR* s, size_t max);
WINCEAPI int wcscmp(const WCHAR* a, const WCHAR* b);
WINCEAPI int wcsncmp(const WCHAR* a, const WCHAR* b, size_t n);
WINCEAPI int _wcsicmp(const WCHAR* a, const WCHAR* b);
WINCEAPI int _wcsnicmp(const WCHAR* a, const WCHAR* b, size_t n);
WINCEAPI WCHAR* wcscpy(WCHAR* dst, const WCHAR* src);
WINCEAPI WCHAR* wcsncpy(WCHAR* dst, const WCHAR* src, size_t n);
WINCEAPI WCHAR* wcscat(WCHAR* dst, const WCHAR* src);
WINCEAPI WCHAR* wcschr(const WCHAR* s, WCHAR c);
WINCEAPI WCHAR* wcsrchr(const WCHAR* s, WCHAR c);
WINCEAPI WCHAR* wcsstr(const WCHAR* s, const WCHAR* sub);
WINCEAPI WCHAR towlower(WCHAR c);
WINCEAPI WCHAR towupper(WCHAR c);
WINCEAPI int _wtoi(const WCHAR* s);
// Formats a decimal integer; returns dst (the Microsoft C library's _itow with radix).
WINCEAPI WCHAR* _itow(int value, WCHAR* dst, int radix);
