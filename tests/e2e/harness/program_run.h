// Starting the program under test and watching it: every run-time error report it shows is
// read, recorded and dismissed; a run that outlasts its timeout is killed and marked so.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "harness/error_report.h"
#include "harness/unique_handle.h"

namespace e2e {

using namespace std::chrono_literals;

struct RunOptions {
  // Catches hangs only; a healthy run is far shorter, even on a busy machine.
  std::chrono::milliseconds timeout = 30s;
};

struct RunResult {
  DWORD exitCode = 0;
  bool timedOut = false;
  std::optional<ErrorReport> report;  // the first report shown
  int reportCount = 0;                // more than one would be a fault of its own
  std::chrono::milliseconds elapsed{0};
};

// One line for assertion messages: exit code, time, timeout, report.
std::string Describe(const RunResult& result);

// A started process, watched until it ends. For tests that act while the program runs
// (poll mode: destroy the host window, then see how soon the program ends).
class RunningProgram {
 public:
  // `commandLine` is passed exactly as given; `exePath` names the file to run.
  RunningProgram(const std::wstring& exePath, const std::wstring& commandLine);
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;
  ~RunningProgram();  // kills a program still running

  DWORD processId() const { return processId_; }
  bool HasExited() const { return exitedAt_.has_value(); }
  // When the harness saw the process end (steady clock).
  std::optional<std::chrono::steady_clock::time_point> exitedAt() const { return exitedAt_; }

  // Watches (reading and dismissing reports) until the process ends or `limit` passes;
  // true when it ended.
  bool WaitForExit(std::chrono::milliseconds limit);
  // Ends the process now and marks the run as timed out.
  void Kill();
  RunResult Result() const;

 private:
  void HandleReports();

  unique_handle process_;
  DWORD processId_ = 0;
  std::chrono::steady_clock::time_point startedAt_;
  std::optional<std::chrono::steady_clock::time_point> exitedAt_;
  std::vector<HWND> handledDialogs_;
  RunResult result_;
};

// Runs `exePath` with exactly `commandLine` until it ends (or the timeout kills it).
RunResult RunProgram(const std::wstring& exePath, const std::wstring& commandLine, const RunOptions& options = {});

// kelvano.exe with the command line "\"<full path>\"" immediately followed by `tail`:
// the tail carries its own leading space, or none (L" Remove_1231 ", L"").
RunResult RunKelvano(const std::wstring& tail, const RunOptions& options = {});
std::wstring KelvanoCommandLine(const std::wstring& tail);

// kelvano.exe with a command line of the test's own making (an unquoted program name...).
RunResult RunKelvanoWithCommandLine(const std::wstring& commandLine, const RunOptions& options = {});

}  // namespace e2e
