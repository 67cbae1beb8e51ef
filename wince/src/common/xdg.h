// The per-user folders of the XDG base directory rules.
#pragma once

#include <string>

namespace wince {

// $<variable> when it holds an absolute path, else $HOME/<belowHome> (the home folder of
// the password database when HOME is unset); e.g. XdgFolder("XDG_DATA_HOME",
// ".local/share"). No trailing slash.
std::string XdgFolder(const char* variable, const char* belowHome);

}  // namespace wince
