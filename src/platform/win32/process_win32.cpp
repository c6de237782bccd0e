#include "platform/win32/process_win32.h"

#include <windows.h>

namespace kelvano::win32 {

std::wstring Win32Process::CommandLine() { return GetCommandLineW(); }

void Win32Process::EndNow() { ExitProcess(0); }

}  // namespace kelvano::win32
