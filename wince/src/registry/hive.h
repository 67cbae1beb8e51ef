// The registry's keys and values in memory, and their text form: the registry editor's
// .reg syntax, UTF-8.
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_LOCAL_MACHINE\Software\Brambleway\TiltChime\Settings]
//   "SoundSlot1Name"="Bell.wav"
//   "SensitivityX"=dword:00000005
//
// Strings escape '\' and '"' as the editor does, a line feed or carriage return as \n
// or \r so that every string fits on its line, and a UTF-16 surrogate without its partner
// (which UTF-8 cannot hold) as \uXXXX. "@" names a key's default value. Lines starting
// with ';' are comments (not kept when the hive is written back).
#pragma once

#include <map>
#include <string>
#include <vector>
#include <regext.h>
#include <windows.h>

namespace wince::registry {

struct Value {
  enum class Type { String, Dword };
  std::u16string name;  // as first written; "" is the default value
  Type type = Type::String;
  std::u16string text;
  DWORD number = 0;
};

class Hive {
 public:
  // Key paths are full paths with the root's name ("HKEY_LOCAL_MACHINE\Software\X");
  // keys and value names are matched without regard to case.
  const Value* Find(const std::u16string& keyPath, const std::u16string& valueName) const;
  void Set(const std::u16string& keyPath, const Value& value);
  // True when no key holds a value.
  bool Empty() const;

  std::string ToText() const;
  // Reads every line of text that can be read into *out and skips the others: a value
  // line that does not parse (an unknown escape, text that is not UTF-8, a number out
  // of range), and the values of a section that does not. False when anything was
  // skipped or the header is missing.
  static bool FromText(const std::string& text, Hive* out);

 private:
  struct Key {
    std::u16string path;
    std::vector<Value> values;
  };
  Key& KeyFor(const std::u16string& path);

  std::map<std::u16string, Key> keys_;  // by the folded path, so the file lists keys in order
};

// Joins the root's name and a sub-key: a leading '\' is optional, a trailing one is
// ignored; null or empty is the root itself. False for a root other than the predefined
// keys, an empty component or a name that holds a line break or a surrogate without its
// partner (the file's section lines have no escapes).
bool KeyPath(HKEY root, const WCHAR* subKey, std::u16string* path);

}  // namespace wince::registry
