// The process entry of the host: hands control to the application's WinMain with the
// executable's instance and the command line, as the device's loader does. --help and
// --version are the host's own: they print the executable's text resource and end.
#include <cstdio>
#include <cstring>
#include <string>

#include "backend/backend.h"
#include "common/utf.h"
#include "entry/signals.h"
#include "kernel/module.h"
#include "resources/resources.h"

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

// Prints the usage or version text for a first argument that asks for it; false for any
// other argument, or when the executable carries no such text.
bool PrintHostText(const char* arg) {
  int id = !std::strcmp(arg, "--help") || !std::strcmp(arg, "-h") ? wince::kUsageText
           : !std::strcmp(arg, "--version")                        ? wince::kVersionText
                                                                   : 0;
  const uint8_t* text = nullptr;
  size_t size = 0;
  if (!id || !wince::FindResourceData(nullptr, wince::ResourceKind::Text, id, &text, &size)) return false;
  std::fwrite(text, 1, size, stdout);
  return std::fflush(stdout) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && PrintHostText(argv[1])) return 0;
  // Without a window system the program would run unseen and hold the one-copy rule.
  std::string reason;
  if (!wince::TheBackend().Open(&reason)) {
    const char* name = std::strrchr(argv[0], '/');
    std::fprintf(stderr, "%s: no window system could be opened (%s); start it in an X11 or Wayland session, "
                 "or with WINCE_HEADLESS=1 to run without a window\n", name ? name + 1 : argv[0], reason.c_str());
    return 1;
  }
  wince::CloseOnSignals();
  std::u16string commandLine = CommandLine(argc, argv);
  return WinMain(wince::ExecutableInstance(), nullptr, commandLine.data(), SW_SHOW);
}
