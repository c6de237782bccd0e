// kelvano.exe: the Windows entry point around Main.
#include <windows.h>

#include "main/main.h"
#include "platform/runtime_error.h"
#include "platform/win32/automation_win32.h"
#include "platform/win32/process_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/window_system_win32.h"

namespace {

constexpr wchar_t kProgramName[] = L"kelvano";
constexpr int kExitRuntimeError = 1;

// Installers start the program from download and temp folders: DLLs load from System32 only.
void RestrictDllSearchToSystem() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  if (HMODULE kernel = GetModuleHandleW(L"kernel32.dll")) {
    auto set = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  SetDllDirectoryW(L"");
}

int Run() {
  kelvano::win32::Win32Automation automation;
  kelvano::win32::Win32Registry registry;
  kelvano::win32::Win32WindowSystem windows;
  kelvano::win32::Win32Shell shell;
  kelvano::win32::Win32Process process;
  kelvano::Platform platform{automation, registry, windows, shell, process};
  try {
    kelvano::Main(platform);
  } catch (const kelvano::RuntimeError& error) {
    MessageBoxW(nullptr, kelvano::RuntimeErrorReportText(error).c_str(), kProgramName,
                MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
    return kExitRuntimeError;
  }
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  RestrictDllSearchToSystem();
  return Run();
}
