// The Windows shell, reached through its 8-bit call.
#pragma once

#include <string>

#include "platform/window_system.h"

namespace kelvano {

class Shell {
 public:
  virtual ~Shell() = default;

  // ShellExecuteA; the result is not examined.
  virtual void Execute(WindowHandle owner, const std::wstring& verb, const std::wstring& file, int showCommand) = 0;
};

inline constexpr int kShowNormal = 1;  // SW_SHOWNORMAL

}  // namespace kelvano
