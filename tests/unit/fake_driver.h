// A fake converter driver registered with a FakeAutomation, for the printer and Main tests.
#pragma once

#include <memory>
#include <set>
#include <string>

#include "fake_automation.h"
#include "printer/converter_driver.h"

namespace kelvano::testing {

// Registers the driver class; each created object answers dispatch ids 27, 21 and 24 and
// fails the calls named in `failing` ("#27", "#27#1", "#24", ...).
inline void RegisterFakeDriver(doubles::FakeAutomation& automation, std::set<std::wstring> failing = {}) {
  automation.classes[kConverterDriverClassId] = [&automation, failing] {
    auto driver = std::make_shared<doubles::FakeObject>(automation.log, L"driver");
    for (int id :
         {driver_dispid::kInstallPrinter, driver_dispid::kUninstallPrinter, driver_dispid::kEndPrinterSession}) {
      driver->byDispatchId[id] = [](const std::vector<Value>&) { return Value{}; };
    }
    driver->failing = failing;
    return driver;
  };
}

}  // namespace kelvano::testing
