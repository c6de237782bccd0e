// Harness set-up failures: an exception naming the Windows call that failed and its error code.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace e2e {

class Win32Error : public std::runtime_error {
 public:
  Win32Error(const char* call, DWORD code)
      : std::runtime_error(std::string(call) + " failed with error " + std::to_string(code)), code_(code) {}
  DWORD code() const { return code_; }

 private:
  DWORD code_;
};

// For calls that report failure through GetLastError().
[[noreturn]] inline void ThrowLastError(const char* call) { throw Win32Error(call, ::GetLastError()); }

// For the registry calls, which return their error code.
inline void CheckRegistry(LSTATUS status, const char* call) {
  if (status != ERROR_SUCCESS) throw Win32Error(call, static_cast<DWORD>(status));
}

}  // namespace e2e
