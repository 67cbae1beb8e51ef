// Conversions between the device's UTF-16 text and the host's UTF-8.
#pragma once

#include <string>
#include <windows.h>

namespace wince {

// Unpaired surrogates become U+FFFD.
std::string ToUtf8(const WCHAR* s);
std::string ToUtf8(const std::u16string& s);
// Returns false when the bytes are not valid UTF-8 (host names that cannot be
// expressed as device names); out then holds the text with U+FFFD substitutions.
bool FromUtf8(const std::string& s, std::u16string* out);
std::u16string FromUtf8(const std::string& s);

}  // namespace wince
