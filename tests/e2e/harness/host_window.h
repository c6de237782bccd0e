// A top-level window of the test's own, standing for the host application whose window a
// poll-mode run watches. It lives on a thread of its own with a message loop, so it answers
// messages while the test thread waits on the program under test.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <thread>

namespace e2e {

class HostWindow {
 public:
  HostWindow();  // returns once the window exists
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;
  ~HostWindow();  // destroys the window if the test has not

  HWND handle() const { return handle_; }
  // The handle as it crosses a command line: a signed 32-bit number (window handles
  // fit in 32 bits on 64-bit Windows too, and sign-extend back).
  std::int32_t handle32() const { return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(handle_)); }

  // Destroys the window and returns the moment DestroyWindow returned (steady clock).
  std::chrono::steady_clock::time_point Destroy();
  bool destroyed() const { return destroyedAt_.has_value(); }

 private:
  void RunThread();

  HWND handle_ = nullptr;
  std::optional<std::chrono::steady_clock::time_point> destroyedAt_;
  std::thread thread_;
};

}  // namespace e2e
