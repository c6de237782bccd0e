// The poll-mode printer session and the state the poll window shares with the watch.
#pragma once

#include "platform/automation.h"
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

  // True once the watch is over and the poll window may close.
  bool PollDone = false;

 private:
  ConverterDriver driver_;
};

}  // namespace kelvano
