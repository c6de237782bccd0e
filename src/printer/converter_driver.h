// The converter printer driver's automation object, reached by dispatch id.
#pragma once

#include <string>

#include "platform/automation.h"
#include "printer/automation_holder.h"

namespace kelvano {

inline constexpr wchar_t kConverterDriverClassId[] = L"{68B34268-7559-11D3-BBE5-D53DCBD65107}";
inline constexpr wchar_t kConverterDriverInterfaceId[] = L"{68B34269-7559-11D3-BBE5-D53DCBD65107}";
inline constexpr wchar_t kConverterPrinterName[] = L"Ostrevan Kelvano Converter";

namespace driver_dispid {
inline constexpr int kInstallPrinter = 27;
inline constexpr int kUninstallPrinter = 21;
inline constexpr int kEndPrinterSession = 24;
}  // namespace driver_dispid

// A holder of the driver object: each call creates the object first when the holder is empty.
class ConverterDriver {
 public:
  explicit ConverterDriver(Automation& automation);

  void InstallPrinter(const std::wstring& printerName);
  void UninstallPrinter(const std::wstring& printerName);
  void EndPrinterSession();
  void Clear() noexcept { holder_.Clear(); }

 private:
  AutomationHolder holder_;
};

}  // namespace kelvano
