// The poll window: carries the host-window watch and closes itself when it is over.
#pragma once

#include "platform/platform.h"
#include "printer/mod_printer.h"

namespace kelvano {

class FrmPdfPoll {
 public:
  FrmPdfPoll(Platform& platform, ModPrinter& modPrinter) : platform_(platform), modPrinter_(modPrinter) {}

  // The host application's window, set before the window is shown.
  WindowHandle ParentWindow = 0;

  // Shows the window modally; returns when it has closed.
  void ShowModal();

 private:
  Platform& platform_;
  ModPrinter& modPrinter_;
};

}  // namespace kelvano
