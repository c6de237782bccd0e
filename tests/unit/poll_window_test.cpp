// The poll window: the watch runs while it loads, it closes itself once displayed, a close
// request during the watch becomes a stop, and a Windows session that ends is not held up.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/runtime_error.h"
#include "poll_rig.h"

namespace kelvano::doubles {
namespace {

using Log = std::vector<std::wstring>;

const Log kAfterWatch = {L"display", L"activate", L"unload request: allowed", L"closed"};

Log Concat(Log head, const Log& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

TEST(PollWindow, RunsTheWatchWhileLoadingThenDisplaysAndClosesItself) {
  PollRig rig;
  rig.windows.DestroyAt(1.0, kHostWindow);

  rig.ShowPoll();

  EXPECT_EQ(rig.windows.windowLog, Concat({L"create Form1", L"load", kEndPrinterSession}, kAfterWatch));
  EXPECT_EQ(rig.windows.checks.size(), 1u);
  EXPECT_EQ(rig.DriverCalls(L"#24"), 1);
}

// A host handle of 0, or one that names no window, is not rejected: one check after more than
// 4 seconds finds no window and the watch ends normally.
TEST(PollWindow, AParentWindowThatIsNoWindowEndsAtTheFirstCheck) {
  for (WindowHandle parent : {0, 77, -1}) {
    SCOPED_TRACE(parent);
    PollRig rig;

    rig.ShowPoll(parent);

    ASSERT_EQ(rig.windows.checks.size(), 1u);
    EXPECT_GT(rig.windows.checks[0], 4.0);
    EXPECT_LT(rig.windows.checks[0], 4.01);
    EXPECT_EQ(rig.windows.windowLog, Concat({L"create Form1", L"load", kEndPrinterSession}, kAfterWatch));
  }
}

// A close request during the watch is refused once and stops the watch at once; the session
// is closed once and the window then closes normally. A second request before the watch has
// seen the stop goes through and closes the window while it loads.
TEST(PollWindow, ACloseRequestDuringTheWatchIsRefusedOnceAndStopsIt) {
  struct Case {
    std::vector<double> requests;
    Log log;
  };
  const Log start = {L"create Form1", L"load", L"unload request: refused"};
  for (const Case& c : {
           Case{{2.0}, Concat(Concat(start, {kEndPrinterSession}), kAfterWatch)},
           Case{{2.0, 2.0}, Concat(start, {L"unload request: allowed", L"closed", kEndPrinterSession})},
       }) {
    SCOPED_TRACE(c.requests.size());
    PollRig rig;
    for (double at : c.requests) rig.windows.CloseRequestAt(at);

    rig.ShowPoll();

    EXPECT_EQ(rig.windows.windowLog, c.log);
    EXPECT_TRUE(rig.windows.checks.empty()) << "stopped before any check";
    EXPECT_DOUBLE_EQ(rig.windows.passed, 2.0);
    EXPECT_EQ(rig.DriverCalls(L"#24"), 1);
    EXPECT_EQ(FakeObject::Alive(), 0);
  }
}

// Log-off or shut-down during the watch: the session is closed inside the end-session handling
// (the process may end right after it), and only there.
TEST(PollWindow, EndOfTheWindowsSessionClosesThePrinterSessionThereAndOnlyThere) {
  PollRig rig;
  rig.windows.EndSessionAt(30.0);

  rig.ShowPoll();

  EXPECT_EQ(rig.windows.windowLog, Concat({L"create Form1", L"load", L"end session", kEndPrinterSession}, kAfterWatch));
  EXPECT_EQ(rig.DriverCalls(L"#24"), 1);
  EXPECT_EQ(rig.windows.checks.size(), 7u);
}

TEST(PollWindow, AFailingCloseAtTheEndOfTheSessionPropagatesAndIsNotRetried) {
  PollRig rig;
  rig.driverFailures = {L"#24"};
  rig.windows.EndSessionAt(2.0);

  EXPECT_THROW(rig.ShowPoll(), RuntimeError);

  EXPECT_EQ(rig.DriverCalls(L"#24"), 1);
}

// Failures of the open fallback and of the close leave the load handler, and the show, as
// run-time errors; the window is never displayed. When opening failed nothing is closed.
TEST(PollWindow, FailuresToOpenOrCloseTheSessionPropagate) {
  struct Case {
    const char* what;
    std::set<std::wstring> failing;
    int failCreations;
    std::int32_t number;
    long endSessions;  // EndPrinterSession calls attempted
  };
  for (const Case& c : {
           Case{"uninstall in the fallback", {L"#27#1", L"#21"}, 0, kFakeFailure, 0},
           Case{"second install", {L"#27"}, 0, kFakeFailure, 0},
           Case{"no driver object at all", {}, 2, errors::kCannotCreateObject, 0},
           Case{"end of the printer session", {L"#24"}, 0, kFakeFailure, 1},
       }) {
    SCOPED_TRACE(c.what);
    PollRig rig;
    rig.driverFailures = c.failing;
    rig.automation.failCreations = c.failCreations;
    rig.windows.DestroyAt(1.0, kHostWindow);

    try {
      rig.ShowPoll();
      ADD_FAILURE() << "no error";
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.Number(), c.number);
    }
    EXPECT_EQ(rig.DriverCalls(L"#24"), c.endSessions);
    EXPECT_EQ(std::count(rig.windows.windowLog.begin(), rig.windows.windowLog.end(), L"display"), 0);
  }
}

TEST(PollWindow, AFirstInstallThatFailsButAFallbackThatWorksStillWatches) {
  PollRig rig;
  rig.driverFailures = {L"#27#1"};
  rig.windows.DestroyAt(1.0, kHostWindow);

  rig.ShowPoll();

  EXPECT_EQ(rig.windows.checks.size(), 1u);
  EXPECT_EQ(rig.windows.windowLog, Concat({L"create Form1", L"load", kEndPrinterSession}, kAfterWatch));
}

}  // namespace
}  // namespace kelvano::doubles
