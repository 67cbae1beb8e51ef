// The registry helpers of the Windows Mobile shell over the desktop's registry. Keys under
// HKEY_LOCAL_MACHINE\Software are the program's own settings, which a desktop user keeps
// under HKEY_CURRENT_USER\Software (where a user may write); every other key is read
// where it is. Results are those of the device: S_OK, or the failure as an HRESULT (a
// missing value is HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), a value of another type
// ERROR_DATATYPE_MISMATCH, a string longer than the buffer ERROR_INSUFFICIENT_BUFFER).
//
// As a device's installer writes its registry section, the .reg file beside the
// executable (TiltChime.reg beside TiltChime.exe) gives the first values: once per
// process, before the first call, each of its keys that the user's registry does not hold
// yet is written with the file's values. The file is the registry editor's text (UTF-8):
// [key] sections, "name"="text" with \\ and \" escapes, "name"=dword:hex; anything else
// is skipped.
#include "standins.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <mutex>
#include <string>
#include <vector>

namespace {

struct DesktopKey {
  HKEY root;
  const WCHAR* subKey;
};

DesktopKey Desktop(HKEY root, LPCWSTR subKey) {
  if (!subKey) subKey = L"";
  if (root == HKEY_LOCAL_MACHINE && _wcsnicmp(subKey, L"Software\\", 9) == 0) return {HKEY_CURRENT_USER, subKey};
  return {root, subKey};
}

HRESULT FromError(LSTATUS error) {
  if (error == ERROR_SUCCESS) return S_OK;
  if (error == ERROR_UNSUPPORTED_TYPE) return HRESULT_FROM_WIN32(ERROR_DATATYPE_MISMATCH);
  if (error == ERROR_MORE_DATA) return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
  return HRESULT_FROM_WIN32(error);
}

HRESULT SetValue(HKEY root, LPCWSTR subKey, LPCWSTR name, DWORD type, const void* data, DWORD bytes) {
  DesktopKey key = Desktop(root, subKey);
  HKEY opened = nullptr;
  LSTATUS error = RegCreateKeyExW(key.root, key.subKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr);
  if (error == ERROR_SUCCESS) {
    error = RegSetValueExW(opened, name, 0, type, static_cast<const BYTE*>(data), bytes);
    RegCloseKey(opened);
  }
  return FromError(error);
}

std::wstring Widen(const std::string& text) {
  int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), int(text.size()), nullptr, 0);
  std::wstring wide(size_t(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), length);
  return wide;
}

// A quoted string from *p on, escapes undone; false when it does not end.
bool ReadQuoted(const char*& p, std::string* out) {
  if (*p++ != '"') return false;
  for (; *p && *p != '"'; ++p) {
    if (*p == '\\' && (p[1] == '\\' || p[1] == '"')) ++p;
    else if (*p == '\\') return false;
    *out += *p;
  }
  return *p++ == '"';
}

struct InitialKey {
  HKEY root = nullptr;
  std::wstring subKey;
  bool existed = true;  // the user's registry holds it already: its values stay
};

void ImportLine(const std::string& line, InitialKey* key) {
  if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
    std::wstring path = Widen(line.substr(1, line.size() - 2));
    size_t slash = path.find(L'\\');
    std::wstring rootName = path.substr(0, slash);
    key->root = rootName == L"HKEY_LOCAL_MACHINE" ? HKEY_LOCAL_MACHINE
                : rootName == L"HKEY_CURRENT_USER" ? HKEY_CURRENT_USER : nullptr;
    key->subKey = slash == std::wstring::npos ? L"" : path.substr(slash + 1);
    HKEY opened = nullptr;
    DesktopKey desktop = Desktop(key->root, key->subKey.c_str());
    key->existed = !key->root || RegOpenKeyExW(desktop.root, desktop.subKey, 0, KEY_READ, &opened) == ERROR_SUCCESS;
    if (opened) RegCloseKey(opened);
    return;
  }
  const char* p = line.c_str();
  std::string name, text;
  if (key->existed || !ReadQuoted(p, &name) || *p++ != '=') return;
  std::wstring wideName = Widen(name);
  if (*p == '"') {
    if (!ReadQuoted(p, &text) || *p) return;
    std::wstring wide = Widen(text);
    SetValue(key->root, key->subKey.c_str(), wideName.c_str(), REG_SZ, wide.c_str(),
             DWORD((wide.size() + 1) * sizeof(WCHAR)));
  } else if (strncmp(p, "dword:", 6) == 0 && strlen(p + 6) == 8 && strspn(p + 6, "0123456789abcdefABCDEF") == 8) {
    DWORD number = DWORD(strtoul(p + 6, nullptr, 16));
    SetValue(key->root, key->subKey.c_str(), wideName.c_str(), REG_DWORD, &number, sizeof number);
  }
}

void ImportInitialValues() {
  WCHAR path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  WCHAR* dot = length > 0 && length < MAX_PATH ? wcsrchr(path, L'.') : nullptr;
  if (!dot || dot + 4 >= path + MAX_PATH) return;
  wcscpy(dot, L".reg");
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  // The program's defaults are a few lines; a larger file is not the installer's section.
  std::string text(64 * 1024, '\0');
  DWORD read = 0;
  BOOL ok = ReadFile(file, text.data(), DWORD(text.size()), &read, nullptr);
  CloseHandle(file);
  if (!ok || read == text.size()) return;
  text.resize(read);
  InitialKey key;
  size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    ImportLine(line, &key);
    start = end + 1;
  }
}

void ImportOnce() {
  static std::once_flag once;
  std::call_once(once, ImportInitialValues);
}

HRESULT GetValue(HKEY root, LPCWSTR subKey, LPCWSTR name, DWORD type, void* data, DWORD* bytes) {
  ImportOnce();
  DesktopKey key = Desktop(root, subKey);
  DWORD flags = (type == REG_DWORD ? RRF_RT_REG_DWORD : RRF_RT_REG_SZ) | RRF_NOEXPAND;
  return FromError(RegGetValueW(key.root, key.subKey, name, flags, nullptr, data, bytes));
}

}  // namespace

HRESULT RegistryGetDWORD(HKEY root, LPCTSTR subKey, LPCTSTR valueName, DWORD* data) {
  if (!data) return E_INVALIDARG;
  DWORD bytes = sizeof *data;
  return GetValue(root, subKey, valueName, REG_DWORD, data, &bytes);
}

HRESULT RegistryGetString(HKEY root, LPCTSTR subKey, LPCTSTR valueName, LPTSTR data, UINT cchData) {
  if (!data || cchData == 0) return E_INVALIDARG;
  DWORD bytes = DWORD(cchData * sizeof(WCHAR));
  return GetValue(root, subKey, valueName, REG_SZ, data, &bytes);
}

HRESULT RegistrySetDWORD(HKEY root, LPCTSTR subKey, LPCTSTR valueName, DWORD data) {
  ImportOnce();
  return SetValue(root, subKey, valueName, REG_DWORD, &data, sizeof data);
}

HRESULT RegistrySetString(HKEY root, LPCTSTR subKey, LPCTSTR valueName, LPCTSTR data) {
  if (!data) return E_INVALIDARG;
  ImportOnce();
  return SetValue(root, subKey, valueName, REG_SZ, data, DWORD((wcslen(data) + 1) * sizeof(WCHAR)));
}
