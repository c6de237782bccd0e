// This thread's message queue on user32: handling what is pending, and waiting for more.
#pragma once

#include <cstdint>

namespace kelvano::win32 {

// How the waits went, for tests and benchmarks of the poll loop.
struct WaitStatistics {
  std::int64_t waits = 0;
  std::int64_t wokenByInput = 0;  // a message (or other input) arrived
  std::int64_t timedOut = 0;
  double secondsWaiting = 0.0;  // time spent blocked, by the performance counter
};

class MessageQueue {
 public:
  // PeekMessage / TranslateMessage / DispatchMessage until the queue is empty.
  void ProcessPending();
  // MsgWaitForMultipleObjectsEx(QS_ALLINPUT, MWMO_INPUTAVAILABLE): blocks until input is in the
  // queue (also input already seen but not removed) or the timeout has passed.
  void WaitForInput(double timeoutSeconds);

  const WaitStatistics& Statistics() const noexcept { return statistics_; }

 private:
  WaitStatistics statistics_;
};

}  // namespace kelvano::win32
