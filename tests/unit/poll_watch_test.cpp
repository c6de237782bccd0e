// The host-window watch: when it checks the host window, how it waits between checks, when it
// ends, and the printer session it holds.
#include <gtest/gtest.h>

#include <vector>

#include "poll_rig.h"

namespace kelvano::doubles {
namespace {

constexpr double kTick = 1e-9;  // tolerance for fake times built from sums of seconds

void ExpectTimes(const std::vector<double>& actual, const std::vector<double>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(actual[i], expected[i], kTick) << "item " << i;
}

TEST(HostWindowWatch, ChecksJustAfterEveryFourSecondsAndEndsAtTheFirstCheckWithoutTheHost) {
  PollRig rig;
  rig.windows.DestroyAt(10.0, kHostWindow);

  rig.modPrinter.WatchHostWindow(rig.windows, kHostWindow);

  ExpectTimes(rig.windows.checks, {4.001, 8.002, 12.003});
  EXPECT_TRUE(rig.modPrinter.PollDone);
  EXPECT_EQ(rig.automation.log, (CallLog{L"create {68B34268-7559-11D3-BBE5-D53DCBD65107}",
                                         L"driver.#27(Ostrevan Kelvano Converter)", L"driver.#24()"}));
  EXPECT_EQ(FakeObject::Alive(), 0) << "the session's driver object is released";
}

// A pass at exactly 4.0 s makes no check; a pass just after it does.
TEST(HostWindowWatch, ChecksOnlyWhenStrictlyMoreThanFourSecondsHavePassed) {
  struct Case {
    double messageAt;  // a message wakes the watch for a pass at this moment
    double firstCheck;
  };
  for (const Case& c : {Case{4.0, 4.001}, Case{4.0005, 4.0005}, Case{3.9995, 4.001}, Case{0.0, 4.001}}) {
    SCOPED_TRACE(c.messageAt);
    PollRig rig;
    rig.windows.Arrive(c.messageAt, [] {});
    rig.windows.DestroyAt(0.0, kHostWindow);

    rig.modPrinter.WatchHostWindow(rig.windows, kHostWindow);

    ExpectTimes(rig.windows.checks, {c.firstCheck});
  }
}

// Messages are handled the moment they arrive, and do not move the checks.
TEST(HostWindowWatch, HandlesEachMessageWhenItArrivesAndKeepsTheCheckMoments) {
  for (const std::vector<double>& arrivals :
       {std::vector<double>{}, {0.3}, {1.0, 1.0, 1.0}, {0.5, 4.0, 4.001, 5.2, 9.9}, {3.0, 6.0, 9.0, 11.999}}) {
    SCOPED_TRACE(arrivals.size());
    PollRig rig;
    std::vector<double> handledAt;
    for (double at : arrivals) rig.windows.Arrive(at, [&] { handledAt.push_back(rig.windows.passed); });
    rig.windows.DestroyAt(10.0, kHostWindow);

    rig.modPrinter.WatchHostWindow(rig.windows, kHostWindow);

    ExpectTimes(handledAt, arrivals);
    ExpectTimes(rig.windows.checks, {4.001, 8.002, 12.003});
  }
}

// Across midnight the clock starts again at 0; the absolute difference is then large and the
// next pass checks at once, after which the checks go on four seconds apart.
TEST(HostWindowWatch, PassingMidnightMakesTheNextPassCheck) {
  PollRig rig;
  rig.windows.startOfDay = 86400.0 - 2.5;  // 23:59:57.5
  rig.windows.Arrive(2.6, [] {});          // a pass at 00:00:00.1
  rig.windows.DestroyAt(5.0, kHostWindow);

  rig.modPrinter.WatchHostWindow(rig.windows, kHostWindow);

  ExpectTimes(rig.windows.checks, {2.6, 6.601});
  EXPECT_EQ(rig.DriverCalls(L"#24"), 1);
}

// The watch blocks until the next check is due instead of spinning: over an hour it waits about
// once per check, never for zero time, and never longer than up to the next check.
TEST(HostWindowWatch, WaitsForTheNextCheckOrMessageInsteadOfSpinning) {
  PollRig rig;
  for (double at = 7.0; at < 3600.0; at += 61.0) rig.windows.Arrive(at, [] {});
  rig.windows.DestroyAt(3600.0, kHostWindow);

  rig.modPrinter.WatchHostWindow(rig.windows, kHostWindow);

  const std::size_t checks = rig.windows.checks.size();
  EXPECT_EQ(checks, 900u);
  EXPECT_LE(rig.windows.waitTimeouts.size(), checks + 60) << "one wait per check, one more per message";
  EXPECT_LE(static_cast<std::size_t>(rig.windows.pumps), checks + 60);
  for (double timeout : rig.windows.waitTimeouts) {
    EXPECT_GT(timeout, 0.0);
    EXPECT_LE(timeout, 4.001 + kTick);
  }
}

TEST(HostWindowWatch, AFlagAlreadySetClosesTheSessionWithoutWatching) {
  PollRig rig;
  rig.modPrinter.PollDone = true;

  rig.modPrinter.WatchHostWindow(rig.windows, kHostWindow);

  EXPECT_TRUE(rig.windows.checks.empty());
  EXPECT_EQ(rig.windows.pumps, 0);
  EXPECT_EQ(rig.DriverCalls(L"#27"), 1);
  EXPECT_EQ(rig.DriverCalls(L"#24"), 1);
}

// Ending the watch at once (the Windows session ends) closes the session there and then;
// the watch does not close it a second time.
TEST(HostWindowWatch, EndWatchNowClosesTheSessionOnceAndStopsTheWatch) {
  PollRig rig;
  std::vector<std::wstring> logAfterEnd;
  rig.windows.Arrive(2.0, [&] {
    rig.modPrinter.EndWatchNow();
    logAfterEnd = rig.windows.windowLog;
  });

  rig.modPrinter.WatchHostWindow(rig.windows, kHostWindow);

  EXPECT_EQ(logAfterEnd, std::vector<std::wstring>{kEndPrinterSession}) << "closed inside the handler";
  EXPECT_EQ(rig.DriverCalls(L"#24"), 1);
  EXPECT_TRUE(rig.windows.checks.empty());
  EXPECT_DOUBLE_EQ(rig.windows.passed, 2.0);
}

TEST(HostWindowWatch, EndWatchNowOutsideAWatchClosesNothing) {
  PollRig rig;
  rig.modPrinter.EndWatchNow();
  EXPECT_TRUE(rig.modPrinter.PollDone);
  EXPECT_TRUE(rig.automation.log.empty());
}

}  // namespace
}  // namespace kelvano::doubles
