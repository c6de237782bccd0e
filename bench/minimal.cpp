// The smallest Windows program of the GUI subsystem: the yardstick kelvano.exe's start-up is
// compared against (same compiler, flags and static run-time).
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return 0; }
