#include "platform/win32/callback_failure.h"

namespace kelvano::win32 {

namespace {
// The program has one thread: windows and their procedures all live on it.
std::exception_ptr heldFailure;
}  // namespace

void HoldCallbackFailure() noexcept {
  if (!heldFailure) heldFailure = std::current_exception();
}

void RaiseHeldCallbackFailure() {
  if (std::exception_ptr failure = std::exchange(heldFailure, nullptr)) std::rethrow_exception(failure);
}

}  // namespace kelvano::win32
