#include "registry/hive.h"

#include <cstdio>

#include "common/utf.h"

namespace wince::registry {

namespace {

constexpr char kHeader[] = "Windows Registry Editor Version 5.00";

struct Root {
  HKEY handle;
  const char16_t* name;
};
const Root kRoots[] = {
    {HKEY_CLASSES_ROOT, u"HKEY_CLASSES_ROOT"},
    {HKEY_CURRENT_USER, u"HKEY_CURRENT_USER"},
    {HKEY_LOCAL_MACHINE, u"HKEY_LOCAL_MACHINE"},
    {HKEY_USERS, u"HKEY_USERS"},
};

std::u16string Fold(const std::u16string& s) {
  std::u16string out(s);
  for (auto& c : out) c = towlower(c);
  return out;
}

bool HasLineBreak(const std::u16string& s) { return s.find_first_of(u"\r\n") != std::u16string::npos; }

// Checks the components after the root and drops a trailing separator; false for an
// empty component.
bool TidySubKey(std::u16string* sub) {
  if (!sub->empty() && sub->back() == u'\\') sub->pop_back();
  if (sub->empty()) return true;
  size_t start = 0;
  for (;;) {
    size_t end = sub->find(u'\\', start);
    if (end == start) return false;
    if (end == std::u16string::npos) return true;
    start = end + 1;
    if (start == sub->size()) return false;
  }
}

bool IsSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }
bool IsLead(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsTrail(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The index of the first surrogate of s at or after from that has no partner.
size_t FindUnpaired(const std::u16string& s, size_t from) {
  for (size_t i = from; i < s.size(); ++i) {
    if (!IsSurrogate(s[i])) continue;
    if (IsLead(s[i]) && i + 1 < s.size() && IsTrail(s[i + 1])) {
      ++i;
      continue;
    }
    return i;
  }
  return std::u16string::npos;
}

int HexDigit(char c) {
  return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// UTF-8 has no form for a surrogate without its partner; such a code unit is written as
// \uXXXX, so that any UTF-16 text comes back exactly and all other text reads as usual.
void AppendQuoted(std::string& out, const std::u16string& s) {
  out += '"';
  for (size_t start = 0; start <= s.size();) {
    size_t lone = FindUnpaired(s, start);
    size_t end = lone == std::u16string::npos ? s.size() : lone;
    for (char c : ToUtf8(s.substr(start, end - start))) {
      switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
      }
    }
    if (lone == std::u16string::npos) break;
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04X", unsigned(s[lone]));
    out += escape;
    start = lone + 1;
  }
  out += '"';
}

// Reads a quoted string at line[*pos] (the opening quote) and moves *pos past the
// closing one. False for an unknown escape or text that is not UTF-8.
bool ParseQuoted(const std::string& line, size_t* pos, std::u16string* out) {
  out->clear();
  std::string bytes;
  // Bytes up to an escaped code unit are decoded before it is appended.
  auto flush = [&] {
    std::u16string part;
    bool ok = FromUtf8(bytes, &part);
    *out += part;
    bytes.clear();
    return ok;
  };
  size_t i = *pos + 1;
  for (; i < line.size() && line[i] != '"'; ++i) {
    if (line[i] != '\\') {
      bytes += line[i];
      continue;
    }
    if (++i == line.size()) return false;
    switch (line[i]) {
      case '\\': bytes += '\\'; break;
      case '"': bytes += '"'; break;
      case 'n': bytes += '\n'; break;
      case 'r': bytes += '\r'; break;
      case 'u': {
        if (line.size() - i < 5 || !flush()) return false;
        unsigned unit = 0;
        for (size_t k = 1; k <= 4; ++k) {
          int d = HexDigit(line[i + k]);
          if (d < 0) return false;
          unit = unit * 16 + unsigned(d);
        }
        *out += char16_t(unit);
        i += 4;
        break;
      }
      default: return false;
    }
  }
  if (i == line.size() || !flush()) return false;
  *pos = i + 1;
  return true;
}

void SkipBlanks(const std::string& line, size_t* pos) {
  while (*pos < line.size() && (line[*pos] == ' ' || line[*pos] == '\t')) ++*pos;
}

bool ParseDword(const std::string& digits, DWORD* out) {
  if (digits.empty() || digits.size() > 8) return false;
  DWORD n = 0;
  for (char c : digits) {
    int d = HexDigit(c);
    if (d < 0) return false;
    n = n * 16 + DWORD(d);
  }
  *out = n;
  return true;
}

// One line "name"=data or @=data, blanks trimmed.
bool ParseValue(const std::string& line, Value* value) {
  size_t pos = 0;
  if (line[0] == '@') {
    value->name.clear();
    pos = 1;
  } else if (!ParseQuoted(line, &pos, &value->name)) {
    return false;
  }
  SkipBlanks(line, &pos);
  if (pos == line.size() || line[pos] != '=') return false;
  ++pos;
  SkipBlanks(line, &pos);
  if (pos < line.size() && line[pos] == '"') {
    value->type = Value::Type::String;
    return ParseQuoted(line, &pos, &value->text) && pos == line.size();
  }
  static constexpr char kDword[] = "dword:";
  if (line.compare(pos, sizeof kDword - 1, kDword) != 0) return false;
  value->type = Value::Type::Dword;
  return ParseDword(line.substr(pos + sizeof kDword - 1), &value->number);
}

// "[HKEY_...\a\b]" to a key path with the root's name in its usual spelling.
bool ParseSection(const std::string& line, std::u16string* path) {
  if (line.back() != ']') return false;
  std::u16string inner;
  if (!FromUtf8(line.substr(1, line.size() - 2), &inner)) return false;
  size_t sep = inner.find(u'\\');
  std::u16string root = Fold(inner.substr(0, sep));
  std::u16string sub = sep == std::u16string::npos ? std::u16string() : inner.substr(sep + 1);
  for (const Root& r : kRoots) {
    if (Fold(r.name) == root) {
      if (!TidySubKey(&sub)) return false;
      *path = sub.empty() ? std::u16string(r.name) : r.name + (u"\\" + sub);
      return true;
    }
  }
  return false;
}

// "HKEY_LOCAL_MACHINE" and the other root names for the predefined handles; null for
// any other handle.
const char16_t* RootName(HKEY root) {
  for (const Root& r : kRoots) {
    if (r.handle == root) return r.name;
  }
  return nullptr;
}

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return std::string();
  size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

}  // namespace

bool KeyPath(HKEY root, const WCHAR* subKey, std::u16string* path) {
  const char16_t* name = RootName(root);
  if (!name) return false;
  std::u16string sub = subKey ? subKey : u"";
  if (!sub.empty() && sub[0] == u'\\') sub.erase(0, 1);
  if (HasLineBreak(sub) || FindUnpaired(sub, 0) != std::u16string::npos || !TidySubKey(&sub)) return false;
  *path = sub.empty() ? std::u16string(name) : name + (u"\\" + sub);
  return true;
}

const Value* Hive::Find(const std::u16string& keyPath, const std::u16string& valueName) const {
  auto key = keys_.find(Fold(keyPath));
  if (key == keys_.end()) return nullptr;
  std::u16string folded = Fold(valueName);
  for (const Value& v : key->second.values) {
    if (Fold(v.name) == folded) return &v;
  }
  return nullptr;
}

bool Hive::Empty() const {
  for (const auto& [folded, key] : keys_)
    if (!key.values.empty()) return false;
  return true;
}

Hive::Key& Hive::KeyFor(const std::u16string& path) {
  Key& key = keys_[Fold(path)];
  if (key.path.empty()) key.path = path;
  return key;
}

void Hive::Set(const std::u16string& keyPath, const Value& value) {
  Key& key = KeyFor(keyPath);
  std::u16string folded = Fold(value.name);
  for (Value& v : key.values) {
    if (Fold(v.name) == folded) {
      std::u16string name = v.name;
      v = value;
      v.name = name;
      return;
    }
  }
  key.values.push_back(value);
}

std::string Hive::ToText() const {
  std::string out = std::string(kHeader) + "\n";
  for (const auto& [folded, key] : keys_) {
    out += "\n[" + ToUtf8(key.path) + "]\n";
    for (const Value& v : key.values) {
      if (v.name.empty()) {
        out += '@';
      } else {
        AppendQuoted(out, v.name);
      }
      out += '=';
      if (v.type == Value::Type::String) {
        AppendQuoted(out, v.text);
      } else {
        char digits[16];
        std::snprintf(digits, sizeof digits, "dword:%08x", unsigned(v.number));
        out += digits;
      }
      out += '\n';
    }
  }
  return out;
}

bool Hive::FromText(const std::string& text, Hive* out) {
  Hive hive;
  size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  bool sawHeader = false;
  bool clean = true;
  // Null after a section that could not be read: its values have no key to go to.
  Key* key = nullptr;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = Trim(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line[0] == ';') continue;
    if (!sawHeader) {
      // Whatever comes first stands for the header, so a damaged one loses no values.
      sawHeader = true;
      if (line == kHeader) continue;
      clean = false;
      if (line[0] != '[') continue;
    }
    if (line[0] == '[') {
      std::u16string path;
      key = ParseSection(line, &path) ? &hive.KeyFor(path) : nullptr;
      clean = clean && key;
      continue;
    }
    Value value;
    if (key && (line[0] == '"' || line[0] == '@') && ParseValue(line, &value)) {
      hive.Set(key->path, value);
    } else {
      clean = false;
    }
  }
  *out = std::move(hive);
  return clean;
}

}  // namespace wince::registry
