// A failure raised by the core inside a window procedure must not unwind through the system's
// frames. The window procedure holds it here; our own message loops raise it again as soon as
// DispatchMessage has returned to them.
#pragma once

#include <exception>
#include <utility>

namespace kelvano::win32 {

// Call from a catch block in a window procedure: keeps the failure being handled (the first,
// if one is already held).
void HoldCallbackFailure() noexcept;
// Raises the held failure, if any, and forgets it.
void RaiseHeldCallbackFailure();

// Runs a core event handler inside a window procedure, holding what it raises.
template <class Handler>
void RunCallback(Handler&& handler) noexcept {
  try {
    handler();
  } catch (...) {
    HoldCallbackFailure();
  }
}

}  // namespace kelvano::win32
