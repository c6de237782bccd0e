// poll_bench: kelvano.exe in poll mode against a live host window, measured from outside.
//   (a) CPU: utime+stime of kelvano's Linux process over a watch of --watch seconds, as a share
//       of one core (Wine reports no CPU time for another process, so /proc is read).
//   (b) host window destroyed -> EndPrinterSession in the stand-in driver's log, and -> exit,
//       with the destruction placed at a different phase of the 4 s check cycle in each run.
//   (c) messages: round trip of WM_NULL sent to the poll window while the watch waits (the time
//       to handle a message), beside the same round trip to a window of this program's own; and
//       WM_CLOSE posted to the poll window -> EndPrinterSession / exit.
// Prints figures; a step that hangs ends the program with exit code 1.
//
//   poll_bench.exe --kelvano=Z:\...\kelvano.exe --prefix=/tmp/.../prefix
//                  [--server-pid=N] [--clk-tck=100] [--runs=5] [--watch=20] [--probes=10] [--close-runs=3]
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bench_support.h"
#include "harness/host_window.h"
#include "harness/process_windows.h"
#include "standin_control.h"

namespace {

using bench::Clock;
using bench::Milliseconds;
using bench::Seconds;

// The host application's window, on a thread of its own that only waits for messages;
// Destroy() returns the moment DestroyWindow returned.
using e2e::HostWindow;

constexpr wchar_t kPollToken[] = L"tebuk=7718yqzoxihar:mc=[93=6602H471}{&}{%";
constexpr wchar_t kPollWindowCaption[] = L"Form1";
constexpr double kCheckIntervalSeconds = 4.0;
// Hang guards only: a healthy step takes a small fraction of these.
constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kEndTimeoutMs = 15000;
constexpr UINT kProbeTimeoutMs = 5000;

struct Config {
  std::wstring kelvano;
  std::string prefix;  // Linux path of WINEPREFIX, to tell our kelvano from other prefixes' ones
  int serverPid = 0;   // this prefix's wineserver, 0 = not measured
  double clockTicks = 100;
  int runs = 5;
  double watchSeconds = 20;
  int probes = 10;
  int closeRuns = 3;
};

struct Hang : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// ---- what the stand-in driver logged

bool LogHas(const wchar_t* prefix) {
  for (const auto& line : standin::DriverLog()) {
    if (line.starts_with(prefix)) return true;
  }
  return false;
}

int LogCount(const wchar_t* prefix) {
  int count = 0;
  for (const auto& line : standin::DriverLog()) count += line.starts_with(prefix) ? 1 : 0;
  return count;
}

HWND FindPollWindow(DWORD processId) {
  const std::vector<HWND> found = e2e::TopLevelWindowsCaptioned(processId, kPollWindowCaption);
  return found.empty() ? nullptr : found.front();
}

// A poll-mode kelvano.exe with the session open and its poll window found.
struct Watch {
  std::unique_ptr<bench::Process> process;
  Clock::time_point sessionOpenAt;  // InstallPrinter seen in the log: the watch starts right after
  HWND pollWindow = nullptr;
};

Watch StartWatch(const Config& config, const HostWindow& host) {
  standin::ResetState();
  standin::SetUpDriver({});
  Watch watch;
  watch.process = std::make_unique<bench::Process>(
      config.kelvano,
      bench::QuotedCommandLine(config.kelvano, kPollToken + std::wstring(L",") + std::to_wstring(host.handle32())));
  const auto deadline = watch.process->startedAt() + std::chrono::milliseconds(kStartTimeoutMs);
  while (!LogHas(L"InstallPrinter(")) {
    if (watch.process->WaitForExit(2)) throw Hang("kelvano.exe ended before opening the session");
    if (Clock::now() > deadline) throw Hang("kelvano.exe did not open the session in time");
  }
  watch.sessionOpenAt = Clock::now();
  while (!(watch.pollWindow = FindPollWindow(watch.process->id()))) {
    if (watch.process->WaitForExit(2)) throw Hang("kelvano.exe ended before its poll window was found");
    if (Clock::now() > deadline) throw Hang("the poll window \"Form1\" was not found");
  }
  return watch;
}

struct Ending {
  double toSessionEndMs = NAN;
  double toExitMs = NAN;
  int sessionEnds = 0;
  DWORD exitCode = 0;
};

// Watches the log and the process from `from` until the session has ended and the process exited.
Ending MeasureEnding(bench::Process& process, Clock::time_point from) {
  std::optional<Clock::time_point> sessionEnd;
  const auto deadline = from + std::chrono::milliseconds(kEndTimeoutMs);
  while (!sessionEnd || !process.exitedAt()) {
    if (!sessionEnd && LogHas(L"EndPrinterSession")) sessionEnd = Clock::now();
    if (process.WaitForExit(1) && !sessionEnd) {
      // The line must be there by now; it was written before the exit this loop just saw.
      if (!LogHas(L"EndPrinterSession")) break;
      sessionEnd = *process.exitedAt();
    }
    if (Clock::now() > deadline) throw Hang("kelvano.exe did not end its session and exit in time");
  }
  Ending ending;
  if (sessionEnd) ending.toSessionEndMs = Milliseconds(std::min(*sessionEnd, *process.exitedAt()) - from);
  ending.toExitMs = Milliseconds(*process.exitedAt() - from);
  ending.sessionEnds = LogCount(L"EndPrinterSession");
  ending.exitCode = process.ExitCode();
  return ending;
}

double RoundTripMs(HWND window) {
  DWORD_PTR result = 0;
  const auto sent = Clock::now();
  if (!::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kProbeTimeoutMs, &result)) {
    throw Hang("WM_NULL was not handled within " + std::to_string(kProbeTimeoutMs) + " ms");
  }
  return Milliseconds(Clock::now() - sent);
}

void SleepMs(double ms) { ::Sleep(static_cast<DWORD>(std::lround(std::max(ms, 0.0)))); }

// ---- one run of the watch: CPU, message probes, then the host window's end at a given phase

struct WatchRun {
  int linuxPid = 0;
  unsigned long long cpuTicks = 0;
  double watchedSeconds = 0;
  double cpuPercent = NAN;
  double serverPercent = NAN;
  std::vector<double> probesMs;
  std::vector<double> baselineMs;
  double phaseSeconds = 0;  // destruction, seconds after the last check (counted from the session's opening)
  Ending ending;
};

WatchRun RunWatch(const Config& config, int index) {
  HostWindow host;
  Watch watch = StartWatch(config, host);
  WatchRun run;

  // (a) CPU over the watch, nothing else sent to kelvano meanwhile.
  const int linuxPid = run.linuxPid = bench::FindLinuxProcess(
      {"kelvano", "," + std::to_string(host.handle32())}, config.prefix.empty() ? "" : "WINEPREFIX=" + config.prefix);
  const auto t0 = Clock::now();
  const auto cpu0 = linuxPid ? bench::CpuTicks(linuxPid) : std::nullopt;
  const auto server0 = config.serverPid ? bench::CpuTicks(config.serverPid) : std::nullopt;
  if (watch.process->WaitForExit(static_cast<DWORD>(config.watchSeconds * 1000))) {
    throw Hang("kelvano.exe ended during the watch, with the host window still there");
  }
  const auto cpu1 = linuxPid ? bench::CpuTicks(linuxPid) : std::nullopt;
  const auto server1 = config.serverPid ? bench::CpuTicks(config.serverPid) : std::nullopt;
  run.watchedSeconds = Seconds(Clock::now() - t0);
  if (cpu0.has_value() && cpu1.has_value()) {
    run.cpuTicks = cpu1.value() - cpu0.value();
    run.cpuPercent = 100.0 * static_cast<double>(run.cpuTicks) / config.clockTicks / run.watchedSeconds;
  }
  if (server0.has_value() && server1.has_value()) {
    run.serverPercent =
        100.0 * static_cast<double>(server1.value() - server0.value()) / config.clockTicks / run.watchedSeconds;
  }
  if (!linuxPid) std::fprintf(stderr, "poll_bench: kelvano's Linux process not found under /proc\n");

  // (c) WM_NULL round trips while the watch waits between checks, at uneven moments.
  for (int i = 0; i < config.probes; ++i) {
    SleepMs(40 + (i * 73 + index * 31) % 160);
    run.probesMs.push_back(RoundTripMs(watch.pollWindow));
    run.baselineMs.push_back(RoundTripMs(host.handle()));
  }

  // (b) The host window goes at a chosen phase of the check cycle.
  run.phaseSeconds = (index + 0.1) * kCheckIntervalSeconds / config.runs;
  const double sinceOpen = Seconds(Clock::now() - watch.sessionOpenAt);
  const double cycles = std::ceil((sinceOpen + 0.05 - run.phaseSeconds) / kCheckIntervalSeconds);
  SleepMs(1000 * (cycles * kCheckIntervalSeconds + run.phaseSeconds - sinceOpen));
  const auto destroyedAt = host.Destroy();
  run.phaseSeconds = std::fmod(Seconds(destroyedAt - watch.sessionOpenAt), kCheckIntervalSeconds);
  run.ending = MeasureEnding(*watch.process, destroyedAt);
  return run;
}

// ---- a close request to the poll window during the watch

struct CloseRun {
  double waitedSeconds = 0;  // since the session opened
  Ending ending;
};

CloseRun RunCloseRequest(const Config& config, int index) {
  HostWindow host;
  Watch watch = StartWatch(config, host);
  CloseRun run;
  run.waitedSeconds = 1.0 + 0.7 * index;  // lands at different points of the wait for a check
  SleepMs(1000 * run.waitedSeconds - Milliseconds(Clock::now() - watch.sessionOpenAt));
  const auto postedAt = Clock::now();
  if (!::PostMessageW(watch.pollWindow, WM_CLOSE, 0, 0)) e2e::ThrowLastError("PostMessageW(WM_CLOSE)");
  run.ending = MeasureEnding(*watch.process, postedAt);
  return run;
}

// ---- printing

const char* Verdict(bool met) { return met ? "met" : "NOT MET"; }

void PrintSummary(const char* what, const bench::Summary& s, const char* unit) {
  std::printf("  %-44s min %8.2f  median %8.2f  mean %8.2f  max %8.2f %s  (n=%zu)\n", what, s.min, s.median, s.mean,
              s.max, unit, s.count);
}

int Run(const Config& config) {
  std::printf(
      "poll_bench: %d watch runs of %.0f s (+ %d WM_NULL probes each), %d close-request runs;\n"
      "CPU from /proc/<pid>/stat at %.0f ticks per second\n\n",
      config.runs, config.watchSeconds, config.probes, config.closeRuns, config.clockTicks);
  std::fflush(stdout);
  std::printf(
      "  run  Linux pid  CPU ticks / watched  kelvano CPU  wineserver CPU  destroyed at phase"
      "  -> EndPrinterSession  -> exit   sessions ended  exit code\n");
  std::vector<double> cpu, server, toEnd, toExit, overExpected, probes, baseline;
  for (int i = 0; i < config.runs; ++i) {
    const WatchRun run = RunWatch(config, i);
    std::printf("  %3d  %9d  %9llu / %6.2f s  %9.3f %%  %12.3f %%  %15.3f s  %16.3f s  %7.3f s  %14d  %9lu\n", i + 1,
                run.linuxPid, run.cpuTicks, run.watchedSeconds, run.cpuPercent, run.serverPercent, run.phaseSeconds,
                run.ending.toSessionEndMs / 1000, run.ending.toExitMs / 1000, run.ending.sessionEnds,
                run.ending.exitCode);
    std::fflush(stdout);
    if (!std::isnan(run.cpuPercent)) cpu.push_back(run.cpuPercent);
    if (!std::isnan(run.serverPercent)) server.push_back(run.serverPercent);
    toEnd.push_back(run.ending.toSessionEndMs / 1000);
    toExit.push_back(run.ending.toExitMs / 1000);
    overExpected.push_back(run.ending.toSessionEndMs - 1000 * (kCheckIntervalSeconds - run.phaseSeconds));
    probes.insert(probes.end(), run.probesMs.begin(), run.probesMs.end());
    baseline.insert(baseline.end(), run.baselineMs.begin(), run.baselineMs.end());
  }

  std::fflush(stdout);
  std::printf("\n  close   WM_CLOSE posted at  -> EndPrinterSession  -> exit      sessions ended  exit code\n");
  std::vector<double> closeToEnd, closeToExit;
  for (int i = 0; i < config.closeRuns; ++i) {
    const CloseRun run = RunCloseRequest(config, i);
    std::printf("  %5d  %16.3f s  %16.2f ms  %7.2f ms  %14d  %9lu\n", i + 1, run.waitedSeconds,
                run.ending.toSessionEndMs, run.ending.toExitMs, run.ending.sessionEnds, run.ending.exitCode);
    std::fflush(stdout);
    closeToEnd.push_back(run.ending.toSessionEndMs);
    closeToExit.push_back(run.ending.toExitMs);
  }

  std::printf("\nSummaries\n");
  PrintSummary("(a) kelvano CPU over the watch", bench::Summarize(cpu), "%");
  PrintSummary("    wineserver CPU over the same time", bench::Summarize(server), "%");
  PrintSummary("(b) host window gone -> EndPrinterSession", bench::Summarize(toEnd), "s");
  PrintSummary("    host window gone -> process exit", bench::Summarize(toExit), "s");
  PrintSummary("    minus the rest of the cycle (4.0 s - phase)", bench::Summarize(overExpected), "ms");
  PrintSummary("(c) WM_NULL round trip to the poll window", bench::Summarize(probes), "ms");
  PrintSummary("    same, to a window of the bench's own", bench::Summarize(baseline), "ms");
  PrintSummary("    WM_CLOSE posted -> EndPrinterSession", bench::Summarize(closeToEnd), "ms");
  PrintSummary("    WM_CLOSE posted -> process exit", bench::Summarize(closeToExit), "ms");

  const auto c = bench::Summarize(cpu);
  const auto e = bench::Summarize(toEnd);
  const auto p = bench::Summarize(probes);
  const auto q = bench::Summarize(closeToEnd);
  std::printf("\n  %-52s %-14s %-10s %s\n", "Figure", "Measured", "Goal", "");
  std::printf("  %-52s %9.3f %%    %-10s %s\n", "(a) CPU share of one core during the watch (max)", c.max, "< 0.5 %",
              Verdict(c.count && c.max < 0.5));
  std::printf("  %-52s %9.3f s    %-10s %s\n", "(b) host window gone -> session closed (max)", e.max, "< 4.1 s",
              Verdict(e.count && e.max < 4.1));
  std::printf("  %-52s %9.2f ms   %-10s %s\n", "(c) message handled by the poll window (max WM_NULL)", p.max, "< 20 ms",
              Verdict(p.count && p.max < 20));
  std::printf("  %-52s %9.2f ms   %-10s %s\n", "    close request -> session closed (max)", q.max, "< 20 ms",
              Verdict(q.count && q.max < 20));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  try {
    const bench::Options options(argc, argv);
    Config config;
    config.kelvano = options.Required(L"kelvano");
    config.prefix = bench::Narrow(options.Text(L"prefix"));
    config.serverPid = static_cast<int>(options.Number(L"server-pid", 0));
    config.clockTicks = options.Number(L"clk-tck", 100);
    config.runs = std::max(1, static_cast<int>(options.Number(L"runs", 5)));
    config.watchSeconds = options.Number(L"watch", 20);
    config.probes = static_cast<int>(options.Number(L"probes", 10));
    config.closeRuns = static_cast<int>(options.Number(L"close-runs", 3));
    return Run(config);
  } catch (const std::exception& failure) {
    std::fflush(stdout);
    std::fprintf(stderr, "poll_bench: %s\n", failure.what());
    return 1;
  }
}
