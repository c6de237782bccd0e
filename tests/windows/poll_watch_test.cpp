// Poll mode on the real window services: the watch against a host window on another thread,
// a counting driver object, and the real poll window, clock, pump and wait.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/win32/window_system_win32.h"
#include "poll_helpers.h"
#include "printer/frm_pdf_poll.h"
#include "printer/mod_printer.h"

namespace kelvano {
namespace {

using namespace std::chrono_literals;
using poll_test::Clock;
using poll_test::FindOwnWindow;
using poll_test::HostWindow;
using poll_test::Later;
using poll_test::SecondsSince;

// One poll-mode run as Main makes it, on the real window services.
struct PollRun {
  poll_test::DriverOnlyAutomation automation;
  win32::Win32WindowSystem windows;
  ModPrinter modPrinter{automation};
  FrmPdfPoll frmPDFPoll{windows, modPrinter};

  void Show(WindowHandle parent) {
    frmPDFPoll.ParentWindow = parent;
    frmPDFPoll.ShowModal();
  }
};

TEST(PollWatch, EndsWithinAFourSecondCheckOfTheHostWindowGoingAndClosesTheSessionOnce) {
  PollRun run;
  HostWindow host(1000ms);

  run.Show(host.handle());

  const double afterHost = SecondsSince(host.destroyedAt());
  EXPECT_GT(afterHost, 0.0);
  EXPECT_LT(afterHost, 4.0 + 1.0);
  EXPECT_EQ(run.automation.calls.creations, 1);
  EXPECT_EQ(run.automation.calls.installs, 1);
  EXPECT_EQ(run.automation.calls.endSessions, 1);
  EXPECT_TRUE(run.modPrinter.PollDone);
  EXPECT_EQ(FindOwnWindow(L"Form1"), nullptr);
}

// While the watch runs the window exists, hidden, captioned "Form1"; a close request to it
// stops the watch at once instead of at the next check, and the session is closed once.
TEST(PollWatch, ACloseRequestDuringTheWatchStopsItEarly) {
  PollRun run;
  HostWindow host(3000ms);
  HWND form = nullptr;
  bool visible = true;
  const Clock::time_point start = Clock::now();
  {
    Later closeRequest(500ms, [&] {
      form = FindOwnWindow(L"Form1");
      visible = IsWindowVisible(form);
      PostMessageW(form, WM_CLOSE, 0, 0);
    });

    run.Show(host.handle());
  }

  ASSERT_NE(form, nullptr) << "no window captioned Form1 during the watch";
  EXPECT_FALSE(visible);
  EXPECT_LT(SecondsSince(start), 2.5) << "stopped well before the first check";
  EXPECT_TRUE(IsWindow(win32::ToHwnd(host.handle()))) << "the host window is still there";
  EXPECT_EQ(run.automation.calls.endSessions, 1);
  EXPECT_FALSE(IsWindow(form));
}

// Log-off during the watch: the query is answered yes, and by the time WM_ENDSESSION has been
// handled the printer session is closed; the watch then ends without closing it again.
TEST(PollWatch, EndOfTheWindowsSessionClosesThePrinterSessionWithinItsHandling) {
  PollRun run;
  HostWindow host(3000ms);
  LRESULT query = 0;
  int closedWhenHandled = -1;
  const Clock::time_point start = Clock::now();
  {
    Later logOff(500ms, [&] {
      const HWND form = FindOwnWindow(L"Form1");
      query = SendMessageW(form, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
      SendMessageW(form, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
      closedWhenHandled = run.automation.calls.endSessions;
    });

    run.Show(host.handle());
  }

  EXPECT_NE(query, 0) << "log-off is not refused";
  EXPECT_EQ(closedWhenHandled, 1);
  EXPECT_EQ(run.automation.calls.endSessions, 1);
  EXPECT_LT(SecondsSince(start), 2.5);
}

// The watch blocks between checks: over a five-second watch the process uses little CPU and
// the wait returns only a handful of times. Generous bounds: they catch a spin, not a slow machine.
TEST(PollWatch, WaitsInsteadOfSpinning) {
  PollRun run;
  HostWindow host(5000ms);
  const Clock::time_point start = Clock::now();
  const double cpuBefore = poll_test::ProcessCpuSeconds();

  run.Show(host.handle());

  const double wall = SecondsSince(start);
  const double cpu = poll_test::ProcessCpuSeconds() - cpuBefore;
  EXPECT_GT(wall, 5.0);
  EXPECT_LT(cpu / wall, 0.20) << cpu << " s of CPU in " << wall << " s";
  const win32::WaitStatistics& waits = run.windows.WaitStatisticsSoFar();
  EXPECT_LT(waits.waits, 50) << "woken by input " << waits.wokenByInput << ", timed out " << waits.timedOut;
  EXPECT_GT(waits.secondsWaiting, 0.8 * 5.0);
}

}  // namespace
}  // namespace kelvano
