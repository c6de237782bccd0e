// The converter printer's install, remove and open sequences.
#pragma once

#include "platform/automation.h"
#include "printer/converter_driver.h"

namespace kelvano {

// How errors are treated from a point on: recorded and skipped, or passed to the caller.
enum class ErrorMode { kResumeNext, kPropagate };

// Installs the printer; when the first attempt fails, uninstalls and installs again with
// errors propagating. Returns the error mode the caller continues in.
ErrorMode OpenSequence(ConverterDriver& driver);

// Install mode: the open sequence, then the driver session is ended and the object released.
void InstallConverterPrinter(Automation& automation);

// Remove mode's printer half: uninstall and end the session, ignoring every error.
void RemoveConverterPrinter(Automation& automation);

}  // namespace kelvano
