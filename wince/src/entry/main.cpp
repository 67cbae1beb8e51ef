// The process entry of the host: hands control to the application's WinMain with the
// executable's instance and the command line, as the device's loader does.
#include <string>

#include "common/utf.h"
#include "kernel/module.h"

#include <windows.h>

namespace {

// The arguments after the program's name, joined as a Windows command line.
std::u16string CommandLine(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (!line.empty()) line += ' ';
    std::string arg = argv[i];
    bool quote = arg.empty() || arg.find_first_of(" \t") != std::string::npos;
    line += quote ? '"' + arg + '"' : arg;
  }
  return wince::FromUtf8(line);
}

}  // namespace

int main(int argc, char** argv) {
  std::u16string commandLine = CommandLine(argc, argv);
  return WinMain(wince::ExecutableInstance(), nullptr, commandLine.data(), SW_SHOW);
}
