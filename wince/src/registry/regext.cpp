// RegistryGetDWORD, RegistryGetString, RegistrySetDWORD, RegistrySetString.
#include <algorithm>
#include <functional>

#include "registry/store.h"

#include <regext.h>

using wince::registry::Hive;
using wince::registry::Store;
using wince::registry::Value;

namespace {

const HRESULT kNotFound = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);

HRESULT ReadValue(HKEY hkey, LPCTSTR subKey, LPCTSTR valueName, Value::Type type,
                  const std::function<void(const Value&)>& take) {
  std::u16string path;
  if (!wince::registry::KeyPath(hkey, subKey, &path)) return E_INVALIDARG;
  std::u16string name = valueName ? valueName : u"";
  return Store::Instance().Read([&](const Hive& hive) {
    const Value* value = hive.Find(path, name);
    if (!value) return kNotFound;
    if (value->type != type) return E_DATATYPE_MISMATCH;
    take(*value);
    return S_OK;
  });
}

HRESULT WriteValue(HKEY hkey, LPCTSTR subKey, LPCTSTR valueName, const Value& value) {
  std::u16string path;
  if (!wince::registry::KeyPath(hkey, subKey, &path)) return E_INVALIDARG;
  Value named = value;
  named.name = valueName ? valueName : u"";
  return Store::Instance().Change([&](Hive* hive) { hive->Set(path, named); });
}

}  // namespace

HRESULT RegistryGetDWORD(HKEY hkey, LPCTSTR pszSubKey, LPCTSTR pszValueName, DWORD* pdwData) {
  if (!pdwData) return E_INVALIDARG;
  return ReadValue(hkey, pszSubKey, pszValueName, Value::Type::Dword,
                   [&](const Value& v) { *pdwData = v.number; });
}

HRESULT RegistryGetString(HKEY hkey, LPCTSTR pszSubKey, LPCTSTR pszValueName, LPTSTR pszData, UINT cchData) {
  if (!pszData || cchData == 0) return E_INVALIDARG;
  bool fits = true;
  HRESULT hr = ReadValue(hkey, pszSubKey, pszValueName, Value::Type::String, [&](const Value& v) {
    fits = v.text.size() < cchData;
    if (fits) std::copy(v.text.c_str(), v.text.c_str() + v.text.size() + 1, pszData);
  });
  if (SUCCEEDED(hr) && !fits) return E_INSUFFICIENT_BUFFER;
  return hr;
}

HRESULT RegistrySetDWORD(HKEY hkey, LPCTSTR pszSubKey, LPCTSTR pszValueName, DWORD dwData) {
  Value value;
  value.type = Value::Type::Dword;
  value.number = dwData;
  return WriteValue(hkey, pszSubKey, pszValueName, value);
}

HRESULT RegistrySetString(HKEY hkey, LPCTSTR pszSubKey, LPCTSTR pszValueName, LPCTSTR pszData) {
  if (!pszData) return E_INVALIDARG;
  Value value;
  value.type = Value::Type::String;
  value.text = pszData;
  return WriteValue(hkey, pszSubKey, pszValueName, value);
}
