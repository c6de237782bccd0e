#include "printer/mod_printer.h"

#include "printer/printer_sessions.h"

namespace kelvano {

void ModPrinter::OpenConverterPrinter() { OpenSequence(driver_); }

void ModPrinter::CloseConverterPrinter() {
  driver_.EndPrinterSession();
  driver_.Clear();
}

}  // namespace kelvano
