// The converter printer through kelvano.exe: Install and Remove against the stand-in driver
// (healthy, failing calls, failing creation, not registered at all), and poll mode holding
// the printer session while a host window lives. Each case checks the outcome (exit code,
// report), the driver's call log and the printer left behind; a driver object never released
// shows as an "alive N" line other than "alive 0" at the DLL's unload.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "harness/host_window.h"
#include "harness/process_windows.h"
#include "harness/program_paths.h"
#include "harness/program_run.h"
#include "kelvano_cases.h"
#include "standin_control.h"

namespace e2e {
namespace {

constexpr wchar_t kInstall[] = L" Install_1231";
constexpr wchar_t kRemove[] = L" Remove_1231";
constexpr wchar_t kPrinter[] = L"Ostrevan Kelvano Converter";

// The driver's log lines for the calls kelvano makes.
const std::wstring kCreate = L"create";
const std::wstring kCreateFailed = L"create failed";
const std::wstring kInstallPrinter = L"InstallPrinter(" + std::wstring(kPrinter) + L")";
const std::wstring kUninstallPrinter = L"UninstallPrinter(" + std::wstring(kPrinter) + L")";
const std::wstring kEndPrinterSession = L"EndPrinterSession()";
std::wstring Failed(const std::wstring& line) { return line + L" -> failed"; }

// A failing driver call raises DISP_E_EXCEPTION with scode E_FAIL and the driver's description.
constexpr int kEFail = -2147467259;
const ExpectedReport kCannotCreate{429, L"ActiveX component can't create object"};
const ExpectedReport kInstallFailed{kEFail, L"Printer installation failed"};
const ExpectedReport kRemovalFailed{kEFail, L"Printer removal failed"};
const ExpectedReport kEndSessionFailed{kEFail, L"Ending the printer session failed"};

std::vector<std::wstring> WithoutUnloadLines(const std::vector<std::wstring>& log) {
  std::vector<std::wstring> calls;
  std::copy_if(log.begin(), log.end(), std::back_inserter(calls),
               [](const std::wstring& line) { return line.rfind(L"alive ", 0) != 0; });
  return calls;
}

// The driver's log after a run: the calls in order, and the DLL unloaded with no object alive
// (the last line "alive 0", and no other count at any earlier unload).
void ExpectDriverLog(const std::vector<std::wstring>& calls) {
  const std::vector<std::wstring> log = standin::DriverLog();
  EXPECT_EQ(WithoutUnloadLines(log), calls);
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), L"alive 0") << "the driver DLL was not unloaded cleanly at the end";
  for (const auto& line : log) {
    if (line.rfind(L"alive ", 0) == 0) {
      EXPECT_EQ(line, L"alive 0") << "a driver object was never released";
    }
  }
}

// Every case starts from the same place: no Office application registered (Remove's Office
// clean-up then finds nothing to start), the driver registered or not, its state fresh.
class DriverFixture {
 public:
  static void Prepare(bool driverRegistered, const standin::DriverSetup& setup) {
    standin::UnregisterAll();
    standin::ResetState();
    if (driverRegistered) standin::RegisterDriver(StandInPath(L"standin_driver.dll"));
    standin::SetUpDriver(setup);
  }
  static void CleanUp() {
    standin::UnregisterAll();
    standin::ResetState();
  }
};

// ---- Install and Remove

struct PrinterCase {
  const char* name;  // letters, digits and '_' only
  const wchar_t* tail;
  bool driverRegistered;
  standin::DriverSetup setup;
  std::vector<std::wstring> calls;  // the driver's log without its unload lines
  std::optional<ExpectedReport> report;
  bool printerInstalledAfter;
};

void PrintTo(const PrinterCase& c, std::ostream* os) { *os << c.name; }

standin::DriverSetup Printer(bool installed, std::vector<std::wstring> failCalls = {}, int failCreations = 0) {
  standin::DriverSetup setup;
  setup.printerInstalled = installed;
  setup.failCalls = std::move(failCalls);
  setup.failCreations = failCreations;
  return setup;
}

class PrinterTest : public testing::TestWithParam<PrinterCase> {
 protected:
  void SetUp() override { DriverFixture::Prepare(GetParam().driverRegistered, GetParam().setup); }
  static void TearDownTestSuite() { DriverFixture::CleanUp(); }
};

TEST_P(PrinterTest, CallsTheDriverInOrderAndEndsAsExpected) {
  const PrinterCase& c = GetParam();
  ExpectOutcome(RunKelvano(c.tail), c.report);
  if (c.driverRegistered) {
    ExpectDriverLog(c.calls);
  } else {
    // Nothing answered: no stand-in ran, and kelvano registered nothing of its own.
    EXPECT_EQ(standin::DriverLog(), std::vector<std::wstring>{});
    EXPECT_FALSE(standin::DriverRegistered());
  }
  EXPECT_EQ(standin::DriverPrinterInstalled(), c.printerInstalledAfter);
  EXPECT_EQ(standin::OfficeLog(), std::vector<std::wstring>{}) << "no Office stand-in is registered";
}

INSTANTIATE_TEST_SUITE_P(
    Driver, PrinterTest,
    testing::Values(
        // -- Install: the open sequence, then the session's end.
        PrinterCase{"Install_Healthy",
                    kInstall,
                    true,
                    Printer(false),
                    {kCreate, kInstallPrinter, kEndPrinterSession},
                    std::nullopt,
                    true},
        // The first InstallPrinter's error is ignored and selects the fallback, on the same object.
        PrinterCase{"Install_FirstInstallFails",
                    kInstall,
                    true,
                    Printer(false, {L"InstallPrinter#1"}),
                    {kCreate, Failed(kInstallPrinter), kUninstallPrinter, kInstallPrinter, kEndPrinterSession},
                    std::nullopt,
                    true},
        // Errors in the fallback propagate: the rest of the sequence is abandoned.
        PrinterCase{"Install_FallbackUninstallFails",
                    kInstall,
                    true,
                    Printer(false, {L"InstallPrinter#1", L"UninstallPrinter"}),
                    {kCreate, Failed(kInstallPrinter), Failed(kUninstallPrinter)},
                    kRemovalFailed,
                    false},
        PrinterCase{"Install_FallbackInstallFails",
                    kInstall,
                    true,
                    Printer(false, {L"InstallPrinter"}),
                    {kCreate, Failed(kInstallPrinter), kUninstallPrinter, Failed(kInstallPrinter)},
                    kInstallFailed,
                    false},
        // The session's end inherits the error mode the open sequence left.
        PrinterCase{"Install_EndSessionFailsAfterFirstSuccess",
                    kInstall,
                    true,
                    Printer(false, {L"EndPrinterSession"}),
                    {kCreate, kInstallPrinter, Failed(kEndPrinterSession)},
                    std::nullopt,
                    true},
        PrinterCase{"Install_EndSessionFailsAfterFallback",
                    kInstall,
                    true,
                    Printer(false, {L"InstallPrinter#1", L"EndPrinterSession"}),
                    {kCreate, Failed(kInstallPrinter), kUninstallPrinter, kInstallPrinter, Failed(kEndPrinterSession)},
                    kEndSessionFailed,
                    true},
        PrinterCase{"Install_NoDriver", kInstall, false, Printer(false), {}, kCannotCreate, false},
        // A failed creation is the first InstallPrinter's failure; the fallback creates again.
        PrinterCase{"Install_CreationFailsOnce",
                    kInstall,
                    true,
                    Printer(false, {}, 1),
                    {kCreateFailed, kCreate, kUninstallPrinter, kInstallPrinter, kEndPrinterSession},
                    std::nullopt,
                    true},
        PrinterCase{"Install_CreationFailsTwice",
                    kInstall,
                    true,
                    Printer(false, {}, 2),
                    {kCreateFailed, kCreateFailed},
                    kCannotCreate,
                    false},
        // -- Remove: the Office clean-up (nothing registered), then the printer; every error ignored.
        PrinterCase{"Remove_NoDriver", kRemove, false, Printer(true), {}, std::nullopt, true},
        PrinterCase{"Remove_Healthy",
                    kRemove,
                    true,
                    Printer(true),
                    {kCreate, kUninstallPrinter, kEndPrinterSession},
                    std::nullopt,
                    false},
        PrinterCase{"Remove_CallsFail",
                    kRemove,
                    true,
                    Printer(true, {L"UninstallPrinter", L"EndPrinterSession"}),
                    {kCreate, Failed(kUninstallPrinter), Failed(kEndPrinterSession)},
                    std::nullopt,
                    true},
        // Each of the two calls tries to create the object while the holder is empty.
        PrinterCase{"Remove_CreationAlwaysFails",
                    kRemove,
                    true,
                    Printer(true, {}, 1000),
                    {kCreateFailed, kCreateFailed},
                    std::nullopt,
                    true},
        PrinterCase{"Remove_CreationFailsOnce",
                    kRemove,
                    true,
                    Printer(true, {}, 1),
                    {kCreateFailed, kCreate, kEndPrinterSession},
                    std::nullopt,
                    true}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Poll mode: the session is held while the host window lives.

// The watch checks the host window when more than 4 s have passed since its last check.
constexpr auto kCheckInterval = 4s;
// Wine on a shared, busy machine: one pump batch, the session's end, the window's own closing.
constexpr auto kMargin = 2s;
// How long the host lives at least before the test acts, once the session is open.
constexpr auto kHostLife = 1s;
// Kelvano's start, its driver's creation and the session's opening, on a loaded machine.
constexpr auto kStartLimit = 15s;

enum class Stop {
  DestroyHost,   // the host window goes away
  CloseRequest,  // WM_CLOSE to the poll window while the host still lives
};

struct PollCase {
  const char* name;
  std::wstring betweenTokenAndComma;  // no comma in it; ignored by kelvano
  Stop stop;
  std::vector<std::wstring> failCalls;
  std::wstring endSessionLine;
  std::optional<ExpectedReport> report;
};

void PrintTo(const PollCase& c, std::ostream* os) { *os << c.name; }

// The top-level windows of `processId` captioned "Form1" (hidden ones included).
std::vector<HWND> PollWindows(DWORD processId) { return TopLevelWindowsCaptioned(processId, L"Form1"); }

bool SessionOpen() {
  const auto calls = WithoutUnloadLines(standin::DriverLog());
  return std::find(calls.begin(), calls.end(), kInstallPrinter) != calls.end();
}

// Watches the running program (answering its reports) until `ready` holds or `limit` passes;
// false when the program ended or the time ran out first.
template <class Ready>
bool WaitWhileRunning(RunningProgram& program, Ready ready, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!ready()) {
    if (std::chrono::steady_clock::now() >= deadline || program.WaitForExit(50ms)) return false;
  }
  return true;
}

class PollTest : public testing::TestWithParam<PollCase> {
 protected:
  void SetUp() override {
    standin::DriverSetup setup;
    setup.failCalls = GetParam().failCalls;
    DriverFixture::Prepare(true, setup);
  }
  static void TearDownTestSuite() { DriverFixture::CleanUp(); }
};

TEST_P(PollTest, HoldsTheSessionUntilTheWatchEnds) {
  const PollCase& c = GetParam();
  HostWindow host;
  const std::wstring tail =
      L" " + std::wstring(kPollToken) + c.betweenTokenAndComma + L"," + std::to_wstring(host.handle32());
  RunningProgram program(KelvanoPath(), KelvanoCommandLine(tail));
  const auto hostLifeEnds = std::chrono::steady_clock::now() + kHostLife;

  ASSERT_TRUE(WaitWhileRunning(program, SessionOpen, kStartLimit))
      << "no session opened: " << Describe(program.Result());
  const auto hostLifeLeft =
      std::chrono::duration_cast<std::chrono::milliseconds>(hostLifeEnds - std::chrono::steady_clock::now());
  if (hostLifeLeft > 0ms) program.WaitForExit(hostLifeLeft);
  ASSERT_FALSE(program.HasExited()) << "ended while the host window lived: " << Describe(program.Result());
  // The session is open and held.
  EXPECT_EQ(WithoutUnloadLines(standin::DriverLog()), (std::vector<std::wstring>{kCreate, kInstallPrinter}));

  std::chrono::steady_clock::time_point stoppedAt;
  std::chrono::milliseconds allowed{};
  if (c.stop == Stop::DestroyHost) {
    stoppedAt = host.Destroy();
    allowed = std::chrono::duration_cast<std::chrono::milliseconds>(kCheckInterval + kMargin);
  } else {
    std::vector<HWND> windows;
    WaitWhileRunning(
        program, [&] { return !(windows = PollWindows(program.processId())).empty(); }, kStartLimit);
    ASSERT_EQ(windows.size(), 1u) << "kelvano's poll window \"Form1\"";
    stoppedAt = std::chrono::steady_clock::now();
    ASSERT_TRUE(::PostMessageW(windows.front(), WM_CLOSE, 0, 0));
    // A close request stops the watch at once, not at the next check of the host.
    allowed = std::chrono::duration_cast<std::chrono::milliseconds>(kMargin);
  }

  const bool ended = program.WaitForExit(30s);
  const RunResult result = program.Result();
  ASSERT_TRUE(ended) << Describe(result);
  const auto late = std::chrono::duration_cast<std::chrono::milliseconds>(*program.exitedAt() - stoppedAt);
  EXPECT_LE(late, allowed) << "ended " << late.count() << " ms after the stop; " << Describe(result);
  ExpectOutcome(result, c.report);
  ExpectDriverLog({kCreate, kInstallPrinter, c.endSessionLine});
  EXPECT_TRUE(standin::DriverPrinterInstalled()) << "poll mode leaves the printer in place";
}

INSTANTIATE_TEST_SUITE_P(
    Driver, PollTest,
    testing::Values(
        PollCase{"HostWindowCloses", L"", Stop::DestroyHost, {}, kEndPrinterSession, std::nullopt},
        PollCase{"TextBeforeTheCommaIgnored", L"xyz 12", Stop::DestroyHost, {}, kEndPrinterSession, std::nullopt},
        PollCase{"CloseRequestStopsTheWatch", L"", Stop::CloseRequest, {}, kEndPrinterSession, std::nullopt},
        // Closing the session has no error handling: its failure ends with the report.
        PollCase{"EndSessionFails",
                 L"",
                 Stop::DestroyHost,
                 {L"EndPrinterSession"},
                 Failed(kEndPrinterSession),
                 kEndSessionFailed}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
