// Install, Remove and the poll session's open and close against a fake driver.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "fake_automation.h"
#include "fake_driver.h"
#include "platform/runtime_error.h"
#include "printer/mod_printer.h"
#include "printer/printer_sessions.h"

namespace kelvano {
namespace {

using doubles::FakeAutomation;
using doubles::FakeObject;

const std::wstring kCreate = L"create {68B34268-7559-11D3-BBE5-D53DCBD65107}";
const std::wstring kInstall = L"driver.#27(Ostrevan Kelvano Converter)";
const std::wstring kUninstall = L"driver.#21(Ostrevan Kelvano Converter)";
const std::wstring kEnd = L"driver.#24()";
const std::wstring kFailed = L" -> failed";

struct SessionCase {
  const char* name;
  std::function<void(Automation&)> run;
  bool registered;
  std::set<std::wstring> failing;
  int failCreations;
  std::vector<std::wstring> expectedLog;
  std::optional<std::int32_t> expectedError;  // a run-time error that reaches the caller
};

void Install(Automation& a) { InstallConverterPrinter(a); }
void Remove(Automation& a) { RemoveConverterPrinter(a); }
void OpenThenClose(Automation& a) {
  ModPrinter modPrinter(a);
  modPrinter.OpenConverterPrinter();
  modPrinter.CloseConverterPrinter();
}

const SessionCase kCases[] = {
    {"install, first attempt succeeds", Install, true, {}, 0, {kCreate, kInstall, kEnd}, {}},
    {"install falls back after a failed install",
     Install,
     true,
     {L"#27#1"},
     0,
     {kCreate, kInstall + kFailed, kUninstall, kInstall, kEnd},
     {}},
    {"install: the fallback's uninstall fails and nothing more runs",
     Install,
     true,
     {L"#27#1", L"#21"},
     0,
     {kCreate, kInstall + kFailed, kUninstall + kFailed},
     doubles::kFakeFailure},
    {"install: the fallback's second install fails",
     Install,
     true,
     {L"#27"},
     0,
     {kCreate, kInstall + kFailed, kUninstall, kInstall + kFailed},
     doubles::kFakeFailure},
    {"install: ending the session fails after a first-time success (ignored)",
     Install,
     true,
     {L"#24"},
     0,
     {kCreate, kInstall, kEnd + kFailed},
     {}},
    {"install: ending the session fails after the fallback (fatal)",
     Install,
     true,
     {L"#27#1", L"#24"},
     0,
     {kCreate, kInstall + kFailed, kUninstall, kInstall, kEnd + kFailed},
     doubles::kFakeFailure},
    {"install with no driver registered",
     Install,
     false,
     {},
     0,
     {kCreate + L" -> not registered", kCreate + L" -> not registered"},
     errors::kCannotCreateObject},
    {"install: creation fails once, the fallback creates the object",
     Install,
     true,
     {},
     1,
     {kCreate + kFailed, kCreate, kUninstall, kInstall, kEnd},
     {}},
    {"remove", Remove, true, {}, 0, {kCreate, kUninstall, kEnd}, {}},
    {"remove ignores every failure",
     Remove,
     true,
     {L"#21", L"#24"},
     0,
     {kCreate, kUninstall + kFailed, kEnd + kFailed},
     {}},
    {"remove with no driver tries to create it for each call",
     Remove,
     false,
     {},
     0,
     {kCreate + L" -> not registered", kCreate + L" -> not registered"},
     {}},
    {"poll session opened and closed", OpenThenClose, true, {}, 0, {kCreate, kInstall, kEnd}, {}},
    {"poll session: the open fallback fails",
     OpenThenClose,
     true,
     {L"#27"},
     0,
     {kCreate, kInstall + kFailed, kUninstall, kInstall + kFailed},
     doubles::kFakeFailure},
    {"poll session: closing fails",
     OpenThenClose,
     true,
     {L"#24"},
     0,
     {kCreate, kInstall, kEnd + kFailed},
     doubles::kFakeFailure},
};

TEST(PrinterSessions, CallOrdersAndErrorOutcomes) {
  for (const SessionCase& c : kCases) {
    SCOPED_TRACE(c.name);
    FakeAutomation automation;
    if (c.registered) testing::RegisterFakeDriver(automation, c.failing);
    automation.failCreations = c.failCreations;
    CurrentError().Clear();

    std::optional<std::int32_t> raised;
    try {
      c.run(automation);
    } catch (const RuntimeError& error) {
      raised = error.Number();
    }
    EXPECT_EQ(automation.log, c.expectedLog);
    EXPECT_EQ(raised, c.expectedError);
    EXPECT_EQ(FakeObject::Alive(), 0) << "a driver object was not released";
  }
}

TEST(PrinterSessions, PollSessionKeepsTheDriverObjectUntilClosed) {
  FakeAutomation automation;
  testing::RegisterFakeDriver(automation);
  ModPrinter modPrinter(automation);
  modPrinter.OpenConverterPrinter();
  EXPECT_EQ(FakeObject::Alive(), 1);
  modPrinter.CloseConverterPrinter();
  EXPECT_EQ(FakeObject::Alive(), 0);
  EXPECT_EQ(automation.log, (std::vector<std::wstring>{kCreate, kInstall, kEnd}));
}

}  // namespace
}  // namespace kelvano
