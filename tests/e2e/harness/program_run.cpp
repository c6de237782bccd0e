#include "harness/program_run.h"

#include <algorithm>

#include "harness/program_paths.h"
#include "harness/win32_error.h"

namespace e2e {
namespace {

// How often the harness looks for a new dialog; the process's end wakes it at once.
constexpr DWORD kWatchIntervalMs = 20;
constexpr UINT kKilledExitCode = 0xDEAD;

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size =
      ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr, nullptr);
  return utf8;
}

}  // namespace

RunningProgram::RunningProgram(const std::wstring& exePath, const std::wstring& commandLine) {
  std::wstring mutableCommandLine = commandLine;  // CreateProcessW may write to it
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  startedAt_ = std::chrono::steady_clock::now();
  if (!::CreateProcessW(exePath.c_str(), mutableCommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
    ThrowLastError("CreateProcessW");
  process_.reset(info.hProcess);
  unique_handle thread(info.hThread);  // not needed: closed at once
  processId_ = info.dwProcessId;
}

RunningProgram::~RunningProgram() {
  if (!HasExited()) Kill();
}

bool RunningProgram::WaitForExit(std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!HasExited()) {
    HandleReports();
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left <= 0ms) return false;
    const DWORD wait = static_cast<DWORD>(std::min<std::chrono::milliseconds::rep>(left.count(), kWatchIntervalMs));
    const DWORD status = ::WaitForSingleObject(process_.get(), wait);
    if (status == WAIT_OBJECT_0) {
      exitedAt_ = std::chrono::steady_clock::now();
      result_.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(*exitedAt_ - startedAt_);
      if (!::GetExitCodeProcess(process_.get(), &result_.exitCode)) ThrowLastError("GetExitCodeProcess");
    } else if (status == WAIT_FAILED) {
      ThrowLastError("WaitForSingleObject");
    }
  }
  return true;
}

void RunningProgram::Kill() {
  if (HasExited()) return;
  result_.timedOut = true;
  ::TerminateProcess(process_.get(), kKilledExitCode);
  ::WaitForSingleObject(process_.get(), 10000);
  exitedAt_ = std::chrono::steady_clock::now();
  result_.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(*exitedAt_ - startedAt_);
  ::GetExitCodeProcess(process_.get(), &result_.exitCode);
}

RunResult RunningProgram::Result() const { return result_; }

void RunningProgram::HandleReports() {
  for (HWND dialog : FindVisibleDialogs(processId_)) {
    // A box already answered may take a moment to go away; answer each box once.
    if (std::find(handledDialogs_.begin(), handledDialogs_.end(), dialog) != handledDialogs_.end()) continue;
    handledDialogs_.push_back(dialog);
    ErrorReport report = ReadDialog(dialog);
    if (!result_.report) result_.report = std::move(report);
    ++result_.reportCount;
    PressOk(dialog);
  }
}

std::string Describe(const RunResult& result) {
  std::string text =
      "exit code " + std::to_string(result.exitCode) + " after " + std::to_string(result.elapsed.count()) + " ms";
  if (result.timedOut) text += " (killed: timed out)";
  if (result.report) {
    text += ", " + std::to_string(result.reportCount) + " report(s), first titled \"" + ToUtf8(result.report->title) +
            "\": \"" + ToUtf8(result.report->text) + "\"";
  } else {
    text += ", no report";
  }
  return text;
}

RunResult RunProgram(const std::wstring& exePath, const std::wstring& commandLine, const RunOptions& options) {
  RunningProgram program(exePath, commandLine);
  if (!program.WaitForExit(options.timeout)) program.Kill();
  return program.Result();
}

std::wstring KelvanoCommandLine(const std::wstring& tail) { return L"\"" + KelvanoPath() + L"\"" + tail; }

RunResult RunKelvano(const std::wstring& tail, const RunOptions& options) {
  return RunProgram(KelvanoPath(), KelvanoCommandLine(tail), options);
}

RunResult RunKelvanoWithCommandLine(const std::wstring& commandLine, const RunOptions& options) {
  return RunProgram(KelvanoPath(), commandLine, options);
}

}  // namespace e2e
