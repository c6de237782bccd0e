// The poll window: carries the host-window watch and closes itself when it is over.
// It is shown only for the moment between the end of the watch and its own closing.
#pragma once

#include "platform/platform.h"
#include "printer/mod_printer.h"

namespace kelvano {

class FrmPdfPoll : private WindowEvents {
 public:
  FrmPdfPoll(WindowSystem& windows, ModPrinter& modPrinter) : windows_(windows), modPrinter_(modPrinter) {}
  FrmPdfPoll(Platform& platform, ModPrinter& modPrinter) : FrmPdfPoll(platform.windows, modPrinter) {}

  // The host application's window, set before the window is shown.
  WindowHandle ParentWindow = 0;

  // Shows the window modally; returns when it has closed. The watch runs while it loads.
  void ShowModal();

 private:
  // Load: the whole watch, before the window is displayed.
  void Load() override;
  // Activate: the watch is over, the window closes itself.
  void Activate(ShownWindow& window) override;
  // Unload request: refused while the watch runs, and turned into a stop of the watch.
  UnloadAnswer UnloadRequest() override;
  // End of the Windows session: the watch ends and the printer session is closed now.
  void EndSession() override;

  WindowSystem& windows_;
  ModPrinter& modPrinter_;
};

}  // namespace kelvano
