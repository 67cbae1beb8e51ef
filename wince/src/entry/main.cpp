// The process entry of the host: hands control to the application's WinMain.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int showCommand);

int main() { return WinMain(nullptr, nullptr, const_cast<LPWSTR>(TEXT("")), 1); }
