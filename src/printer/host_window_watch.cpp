// The host-window watch (ModPrinter::WatchHostWindow).
//
// Between checks the watch blocks until a window message arrives or the next check is due,
// instead of spinning: messages are still handled as soon as they arrive, and the checks come
// at the same moments.
#include <cmath>

#include "printer/mod_printer.h"

namespace kelvano {

namespace {

// A check is made when strictly more than this many seconds have passed.
constexpr double kCheckIntervalSeconds = 4.0;
// Added to every wait, so that the clock has passed the interval (not just reached it) when the
// wait for the next check ends, and so that no wait is ever for zero time.
constexpr double kWaitMarginSeconds = 0.001;

}  // namespace

void ModPrinter::WatchHostWindow(WindowSystem& windows, WindowHandle parentWindow) {
  OpenConverterPrinter();
  watchSessionOpen_ = true;

  double start = windows.SecondsSinceMidnight();
  while (!PollDone) {
    // Absolute: passing midnight makes the difference large, so the next check comes at once.
    const double elapsed = std::fabs(windows.SecondsSinceMidnight() - start);
    if (elapsed > kCheckIntervalSeconds) {
      if (!windows.IsWindow(parentWindow)) {
        PollDone = true;
        break;
      }
      start = windows.SecondsSinceMidnight();
    } else {
      windows.ProcessPendingMessages();
      if (PollDone) break;
      // Measured again: handling the messages took time.
      const double untilCheck = kCheckIntervalSeconds - std::fabs(windows.SecondsSinceMidnight() - start);
      windows.WaitForMessage(std::fmax(untilCheck, 0.0) + kWaitMarginSeconds);
    }
  }

  CloseWatchSessionOnce();
}

void ModPrinter::EndWatchNow() {
  PollDone = true;
  CloseWatchSessionOnce();
}

void ModPrinter::CloseWatchSessionOnce() {
  if (!watchSessionOpen_) return;
  watchSessionOpen_ = false;
  CloseConverterPrinter();
}

}  // namespace kelvano
