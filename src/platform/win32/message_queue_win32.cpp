#include "platform/win32/message_queue_win32.h"

#include <windows.h>

#include <cmath>

#include "platform/win32/callback_failure.h"

namespace kelvano::win32 {

namespace {

// Whole milliseconds, rounded up so a wait never ends before its time.
DWORD ToMilliseconds(double seconds) {
  constexpr double kLongest = 0x7FFFFFFF;
  const double ms = std::ceil(seconds * 1000.0);
  if (!(ms > 0.0)) return 0;
  return static_cast<DWORD>(ms < kLongest ? ms : kLongest);
}

double CounterSeconds() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

void MessageQueue::ProcessPending() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    // A quit request is not for this loop; keeping it queued would wake every wait at once.
    if (message.message == WM_QUIT) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
    RaiseHeldCallbackFailure();
  }
  // Sent messages are handled inside PeekMessage itself.
  RaiseHeldCallbackFailure();
}

void MessageQueue::WaitForInput(double timeoutSeconds) {
  const DWORD timeout = ToMilliseconds(timeoutSeconds);
  const double began = CounterSeconds();
  const DWORD result = MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  if (result == WAIT_FAILED) {
    // Not expected with no handles; a short sleep keeps the caller from spinning.
    Sleep(timeout < 50 ? timeout : 50);
  }
  ++statistics_.waits;
  if (result == WAIT_TIMEOUT) ++statistics_.timedOut;
  if (result == WAIT_OBJECT_0) ++statistics_.wokenByInput;
  statistics_.secondsWaiting += CounterSeconds() - began;
}

}  // namespace kelvano::win32
