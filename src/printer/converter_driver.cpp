#include "printer/converter_driver.h"

namespace kelvano {

ConverterDriver::ConverterDriver(Automation& automation)
    : holder_([&automation] { return automation.CreateObject(kConverterDriverClassId, kConverterDriverInterfaceId); }) {
}

void ConverterDriver::InstallPrinter(const std::wstring& printerName) {
  holder_.Object().InvokeMethod(driver_dispid::kInstallPrinter, {printerName});
}

void ConverterDriver::UninstallPrinter(const std::wstring& printerName) {
  holder_.Object().InvokeMethod(driver_dispid::kUninstallPrinter, {printerName});
}

void ConverterDriver::EndPrinterSession() { holder_.Object().InvokeMethod(driver_dispid::kEndPrinterSession, {}); }

}  // namespace kelvano
