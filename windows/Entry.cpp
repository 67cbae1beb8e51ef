// The desktop's wide entry point, with the same parameters as the device's WinMain.
extern "C" int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int showCommand) {
  return WinMain(instance, previous, commandLine, showCommand);
}
