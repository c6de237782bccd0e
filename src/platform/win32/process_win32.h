// The running process on kernel32.
#pragma once

#include "platform/process.h"

namespace kelvano::win32 {

class Win32Process : public Process {
 public:
  std::wstring CommandLine() override;
  [[noreturn]] void EndNow() override;
};

}  // namespace kelvano::win32
