// Wide-string functions of the C library for 16-bit WCHAR.
#include <windows.h>
#include <strsafe.h>

size_t wcslen(const WCHAR* s) {
  const WCHAR* p = s;
  while (*p) ++p;
  return size_t(p - s);
}

size_t wcsnlen(const WCHAR* s, size_t max) {
  size_t n = 0;
  while (n < max && s[n]) ++n;
  return n;
}

int wcscmp(const WCHAR* a, const WCHAR* b) { return wcsncmp(a, b, SIZE_MAX); }

int wcsncmp(const WCHAR* a, const WCHAR* b, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    if (!a[i]) break;
  }
  return 0;
}

// Case pairs of Latin Extended-A: upper case at even code points except in two runs
// where it sits at odd ones; dotted and dotless i have no pair of their own here.
static bool IsLatinExtendedAUpper(WCHAR c) {
  if (c < 0x100 || c > 0x17E || c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149) return false;
  bool oddRun = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
  return (c % 2 == 1) == oddRun;
}

// Case folding for the Latin-1 and Latin Extended-A ranges, which is what device file
// names and registry names use; other characters compare as they are.
WCHAR towlower(WCHAR c) {
  if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return WCHAR(c + 32);
  if (c == 0x178) return 0xFF;
  if (IsLatinExtendedAUpper(c)) return WCHAR(c + 1);
  return c;
}

WCHAR towupper(WCHAR c) {
  if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return WCHAR(c - 32);
  if (c == 0xFF) return 0x178;
  if (c > 0x100 && IsLatinExtendedAUpper(WCHAR(c - 1)) && c != 0x178) return WCHAR(c - 1);
  return c;
}

int _wcsicmp(const WCHAR* a, const WCHAR* b) { return _wcsnicmp(a, b, SIZE_MAX); }

int _wcsnicmp(const WCHAR* a, const WCHAR* b, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    WCHAR ca = towlower(a[i]), cb = towlower(b[i]);
    if (ca != cb) return ca < cb ? -1 : 1;
    if (!ca) break;
  }
  return 0;
}

WCHAR* wcscpy(WCHAR* dst, const WCHAR* src) {
  WCHAR* d = dst;
  while ((*d++ = *src++)) {}
  return dst;
}

WCHAR* wcsncpy(WCHAR* dst, const WCHAR* src, size_t n) {
  size_t i = 0;
  for (; i < n && src[i]; ++i) dst[i] = src[i];
  for (; i < n; ++i) dst[i] = 0;
  return dst;
}

WCHAR* wcscat(WCHAR* dst, const WCHAR* src) {
  wcscpy(dst + wcslen(dst), src);
  return dst;
}

WCHAR* wcschr(const WCHAR* s, WCHAR c) {
  for (;; ++s) {
    if (*s == c) return const_cast<WCHAR*>(s);
    if (!*s) return nullptr;
  }
}

WCHAR* wcsrchr(const WCHAR* s, WCHAR c) {
  const WCHAR* found = nullptr;
  for (;; ++s) {
    if (*s == c) found = s;
    if (!*s) return const_cast<WCHAR*>(found);
  }
}

WCHAR* wcsstr(const WCHAR* s, const WCHAR* sub) {
  size_t n = wcslen(sub);
  for (; *s; ++s)
    if (wcsncmp(s, sub, n) == 0) return const_cast<WCHAR*>(s);
  return n == 0 ? const_cast<WCHAR*>(s) : nullptr;
}

// Parses like atoi of the C library: leading blanks, an optional sign, decimal digits;
// saturates at the range of int.
int _wtoi(const WCHAR* s) {
  const WCHAR* p = s;
  while (*p == u' ' || (*p >= u'\t' && *p <= u'\r')) ++p;
  bool negative = false;
  if (*p == u'+' || *p == u'-') negative = (*p++ == u'-');
  int64_t value = 0;
  for (; *p >= u'0' && *p <= u'9'; ++p) {
    value = value * 10 + (*p - u'0');
    if (value > int64_t(INT32_MAX) + 1) value = int64_t(INT32_MAX) + 1;
  }
  if (negative) return int(-value);
  return value > INT32_MAX ? INT32_MAX : int(value);
}

WCHAR* _itow(int value, WCHAR* dst, int radix) {
  if (radix < 2 || radix > 36) radix = 10;
  char16_t digits[40];
  int n = 0;
  bool negative = radix == 10 && value < 0;
  uint32_t v = negative ? uint32_t(0) - uint32_t(value) : uint32_t(value);
  do {
    uint32_t d = v % uint32_t(radix);
    digits[n++] = char16_t(d < 10 ? u'0' + d : u'a' + d - 10);
    v /= uint32_t(radix);
  } while (v);
  WCHAR* p = dst;
  if (negative) *p++ = u'-';
  while (n) *p++ = digits[--n];
  *p = 0;
  return dst;
}

HRESULT StringCchCopyNW(LPWSTR dst, size_t cch, LPCWSTR src, size_t cchSrc) {
  if (!dst || cch == 0 || cch > STRSAFE_MAX_CCH) return STRSAFE_E_INVALID_PARAMETER;
  if (!src) src = u"";
  size_t i = 0;
  for (; i + 1 < cch && i < cchSrc && src[i]; ++i) dst[i] = src[i];
  dst[i] = 0;
  bool truncated = i < cchSrc && src[i] != 0;
  return truncated ? STRSAFE_E_INSUFFICIENT_BUFFER : S_OK;
}

HRESULT StringCchCopyW(LPWSTR dst, size_t cch, LPCWSTR src) {
  return StringCchCopyNW(dst, cch, src, SIZE_MAX);
}

HRESULT StringCchCatW(LPWSTR dst, size_t cch, LPCWSTR src) {
  if (!dst || cch == 0 || cch > STRSAFE_MAX_CCH) return STRSAFE_E_INVALID_PARAMETER;
  size_t used = wcsnlen(dst, cch);
  if (used == cch) return STRSAFE_E_INVALID_PARAMETER;
  return StringCchCopyNW(dst + used, cch - used, src, SIZE_MAX);
}

HRESULT StringCchLengthW(LPCWSTR s, size_t cchMax, size_t* len) {
  if (!s || cchMax > STRSAFE_MAX_CCH) return STRSAFE_E_INVALID_PARAMETER;
  size_t n = wcsnlen(s, cchMax);
  if (len) *len = n == cchMax ? 0 : n;
  return n == cchMax ? STRSAFE_E_INVALID_PARAMETER : S_OK;
}
