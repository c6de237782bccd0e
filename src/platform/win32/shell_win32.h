// ShellExecuteA.
#pragma once

#include "platform/shell.h"

namespace kelvano::win32 {

class Win32Shell : public Shell {
 public:
  void Execute(WindowHandle owner, const std::wstring& verb, const std::wstring& file, int showCommand) override;
};

}  // namespace kelvano::win32
