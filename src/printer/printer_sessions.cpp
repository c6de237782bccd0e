#include "printer/printer_sessions.h"

#include "platform/runtime_error.h"

namespace kelvano {

ErrorMode OpenSequence(ConverterDriver& driver) {
  CurrentError().Clear();
  ResumeNext([&] { driver.InstallPrinter(kConverterPrinterName); });
  if (CurrentError().Number() == 0) return ErrorMode::kResumeNext;

  CurrentError().Clear();
  driver.UninstallPrinter(kConverterPrinterName);
  driver.InstallPrinter(kConverterPrinterName);
  return ErrorMode::kPropagate;
}

void InstallConverterPrinter(Automation& automation) {
  ConverterDriver driver(automation);
  if (OpenSequence(driver) == ErrorMode::kResumeNext) {
    ResumeNext([&] { driver.EndPrinterSession(); });
  } else {
    driver.EndPrinterSession();
  }
  driver.Clear();
}

void RemoveConverterPrinter(Automation& automation) {
  ConverterDriver driver(automation);
  ResumeNext([&] { driver.UninstallPrinter(kConverterPrinterName); });
  ResumeNext([&] { driver.EndPrinterSession(); });
  driver.Clear();
}

}  // namespace kelvano
