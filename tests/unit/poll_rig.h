// A poll-mode rig for the unit tests: the poll window and the watch against a fake driver and
// hand-driven window services. The driver's EndPrinterSession also goes into the window log,
// so one log shows the order of window events and the session's end.
#pragma once

#include <algorithm>
#include <memory>
#include <set>
#include <string>

#include "fake_automation.h"
#include "fake_platform.h"
#include "printer/converter_driver.h"
#include "printer/frm_pdf_poll.h"
#include "printer/mod_printer.h"

namespace kelvano::doubles {

inline constexpr WindowHandle kHostWindow = 0x20A4;
inline constexpr wchar_t kEndPrinterSession[] = L"EndPrinterSession";

struct PollRig {
  PollRig() {
    automation.classes[kConverterDriverClassId] = [this] {
      auto driver = std::make_shared<FakeObject>(automation.log, L"driver");
      driver->byDispatchId[driver_dispid::kInstallPrinter] = [](const auto&) { return Value{}; };
      driver->byDispatchId[driver_dispid::kUninstallPrinter] = [](const auto&) { return Value{}; };
      driver->byDispatchId[driver_dispid::kEndPrinterSession] = [this](const auto&) {
        windows.windowLog.push_back(kEndPrinterSession);
        return Value{};
      };
      driver->failing = driverFailures;
      return driver;
    };
    windows.liveWindows.push_back(kHostWindow);
  }

  // Shows the poll window for the host window, as Main does.
  void ShowPoll(WindowHandle parent = kHostWindow) {
    frmPDFPoll.ParentWindow = parent;
    frmPDFPoll.ShowModal();
  }

  // How many times the driver was asked for a member, e.g. L"#24".
  long DriverCalls(const std::wstring& member) const {
    const std::wstring prefix = L"driver." + member + L"(";
    return std::count_if(automation.log.begin(), automation.log.end(),
                         [&](const std::wstring& line) { return line.rfind(prefix, 0) == 0; });
  }

  std::set<std::wstring> driverFailures;  // as FakeObject::failing, for every driver object
  FakeAutomation automation;
  FakeWindowSystem windows;
  ModPrinter modPrinter{automation};
  FrmPdfPoll frmPDFPoll{windows, modPrinter};
};

}  // namespace kelvano::doubles
