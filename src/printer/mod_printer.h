// The poll-mode printer session, the host-window watch, and the state the poll window shares
// with the watch.
#pragma once

#include "platform/automation.h"
#include "platform/window_system.h"
#include "printer/converter_driver.h"

namespace kelvano {

class ModPrinter {
 public:
  explicit ModPrinter(Automation& automation) : driver_(automation) {}

  // The open sequence on the session's driver object, which stays held afterwards.
  void OpenConverterPrinter();
  // Ends the session (creating an object first if none is held) and releases the object;
  // a failure propagates.
  void CloseConverterPrinter();

  // Holds the printer session open while the host window exists: opens it, checks the host
  // window whenever more than 4 seconds have passed, handles window messages in between, and
  // closes the session when the host window is gone or PollDone is set. Failures of the open
  // fallback and of the close propagate.
  void WatchHostWindow(WindowSystem& windows, WindowHandle parentWindow);

  // Ends the watch now, for a Windows session that is ending: sets PollDone and closes the
  // printer session at once if the watch holds it open, since the process may not live to
  // see the watch's next pass. The watch then does not close it again.
  void EndWatchNow();

  // True once the watch is over and the poll window may close.
  bool PollDone = false;

 private:
  void CloseWatchSessionOnce();

  ConverterDriver driver_;
  bool watchSessionOpen_ = false;
};

}  // namespace kelvano
