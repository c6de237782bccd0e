#include "platform/win32/shell_win32.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/ansi_text.h"
#include "platform/win32/com.h"
#include "platform/win32/window_handle.h"

namespace kelvano::win32 {

void Win32Shell::Execute(WindowHandle owner, const std::wstring& verb, const std::wstring& file, int showCommand) {
  // The shell may hand the address to a COM-activated handler.
  const ComApartment apartment;
  ShellExecuteA(ToHwnd(owner), ToAnsi(verb).c_str(), ToAnsi(file).c_str(), nullptr, nullptr, showCommand);
}

}  // namespace kelvano::win32
