// The running process: its command line and its immediate end.
#pragma once

#include <string>

namespace kelvano {

class Process {
 public:
  virtual ~Process() = default;

  // The whole command line, program name included (GetCommandLine).
  virtual std::wstring CommandLine() = 0;
  // Ends the process at once with exit code 0; does not return.
  [[noreturn]] virtual void EndNow() = 0;
};

}  // namespace kelvano
