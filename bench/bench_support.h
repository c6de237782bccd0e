// Small pieces shared by the benchmark programs: a process started with an exact command line,
// timing and summaries, options, and reading the Linux side of a Wine process through Z:\proc.
// Handle owners and Win32 errors come from the end-to-end harness (tests/e2e/harness).
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <numeric>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "harness/unique_handle.h"
#include "harness/win32_error.h"

namespace bench {

using Clock = std::chrono::steady_clock;

inline double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }
inline double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// ---- owners: the end-to-end harness's unique_any (harness/unique_handle.h), which holds
// nullptr for "no handle"

inline void CloseFind(HANDLE h) { ::FindClose(h); }
using unique_find = e2e::unique_any<HANDLE, CloseFind, nullptr>;  // FindFirstFileW

// CreateFileW and FindFirstFileW report failure as INVALID_HANDLE_VALUE; the owners take nullptr.
inline HANDLE NullIfInvalid(HANDLE h) { return h == INVALID_HANDLE_VALUE ? nullptr : h; }

// ---- a started process

// Not the harness's RunningProgram: that one looks for error dialogs every 20 ms while it waits,
// which would add to the CPU measured during a watch, and it keeps its times to whole
// milliseconds without the start.
class Process {
 public:
  // Starts `exePath` with exactly `commandLine`; the clock starts just before CreateProcessW.
  Process(const std::wstring& exePath, std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    startedAt_ = Clock::now();
    if (!::CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info)) {
      e2e::ThrowLastError("CreateProcessW");
    }
    process_.reset(info.hProcess);
    e2e::unique_handle thread(info.hThread);
    id_ = info.dwProcessId;
  }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process() {
    if (!exitedAt_ && process_) {
      ::TerminateProcess(process_.get(), 255);
      ::WaitForSingleObject(process_.get(), 5000);
    }
  }

  HANDLE handle() const { return process_.get(); }
  DWORD id() const { return id_; }
  Clock::time_point startedAt() const { return startedAt_; }
  std::optional<Clock::time_point> exitedAt() const { return exitedAt_; }

  // True once the process has ended; records the moment this call first saw it.
  bool WaitForExit(DWORD milliseconds) {
    if (exitedAt_) return true;
    if (::WaitForSingleObject(process_.get(), milliseconds) != WAIT_OBJECT_0) return false;
    exitedAt_ = Clock::now();
    return true;
  }
  DWORD ExitCode() const {
    DWORD code = 0;
    ::GetExitCodeProcess(process_.get(), &code);
    return code;
  }

 private:
  e2e::unique_handle process_;
  DWORD id_ = 0;
  Clock::time_point startedAt_;
  std::optional<Clock::time_point> exitedAt_;
};

inline std::wstring QuotedCommandLine(const std::wstring& exePath, const std::wstring& tail) {
  return L"\"" + exePath + L"\" " + tail;
}

// ---- summaries

struct Summary {
  std::size_t count = 0;
  double min = 0, median = 0, mean = 0, max = 0;
};

inline Summary Summarize(std::vector<double> values) {
  Summary s;
  if (values.empty()) return s;
  std::sort(values.begin(), values.end());
  s.count = values.size();
  s.min = values.front();
  s.max = values.back();
  const std::size_t mid = values.size() / 2;
  s.median = values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
  s.mean = std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
  return s;
}

// ---- options: --name=value

class Options {
 public:
  Options(int argc, wchar_t** argv) : args_(argv + 1, argv + argc) {}

  std::wstring Text(std::wstring_view name, std::wstring fallback = {}) const {
    const std::wstring prefix = L"--" + std::wstring(name) + L"=";
    for (const auto& arg : args_) {
      if (arg.starts_with(prefix)) return arg.substr(prefix.size());
    }
    return fallback;
  }
  std::wstring Required(std::wstring_view name) const {
    std::wstring value = Text(name);
    if (value.empty()) {
      throw std::invalid_argument("missing option --" + std::string(name.begin(), name.end()) + "=...");
    }
    return value;
  }
  double Number(std::wstring_view name, double fallback) const {
    const std::wstring value = Text(name);
    return value.empty() ? fallback : std::wcstod(value.c_str(), nullptr);
  }

 private:
  std::vector<std::wstring> args_;
};

// ---- the Linux side of Wine processes, read through the Z: drive

// The whole content of a file that reports no size (/proc files); nullopt if it cannot be opened.
inline std::optional<std::string> ReadWholeFile(const std::wstring& path) {
  e2e::unique_handle file(NullIfInvalid(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                      nullptr, OPEN_EXISTING, 0, nullptr)));
  if (!file) return std::nullopt;
  std::string content;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
  return content;
}

inline std::wstring ProcPath(int linuxPid, const wchar_t* entry) {
  return L"Z:\\proc\\" + std::to_wstring(linuxPid) + L"\\" + entry;
}

// utime + stime of a Linux process, in clock ticks: fields 14 and 15 of /proc/<pid>/stat,
// counted after the command name, which may hold spaces and ends at the last ')'.
inline std::optional<unsigned long long> CpuTicks(int linuxPid) {
  const auto stat = ReadWholeFile(ProcPath(linuxPid, L"stat"));
  if (!stat) return std::nullopt;
  const auto close = stat->rfind(')');
  if (close == std::string::npos) return std::nullopt;
  std::vector<std::string> fields;  // fields[0] is field 3 (the state)
  std::size_t at = close + 1;
  while (fields.size() < 13) {
    at = stat->find_first_not_of(' ', at);
    if (at == std::string::npos) return std::nullopt;
    const auto end = stat->find(' ', at);
    fields.push_back(stat->substr(at, end - at));
    at = end;
  }
  return std::strtoull(fields[11].c_str(), nullptr, 10) + std::strtoull(fields[12].c_str(), nullptr, 10);
}

// The first Linux process whose command line contains every one of `needles` and whose
// environment holds `environmentEntry` (e.g. "WINEPREFIX=/tmp/..."); 0 if none.
inline int FindLinuxProcess(const std::vector<std::string>& needles, const std::string& environmentEntry) {
  WIN32_FIND_DATAW entry;
  unique_find find(NullIfInvalid(::FindFirstFileW(L"Z:\\proc\\*", &entry)));
  if (!find) return 0;
  do {
    const wchar_t* name = entry.cFileName;
    if (!*name || !std::all_of(name, name + std::wcslen(name), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
      continue;
    const int pid = std::stoi(name);
    auto commandLine = ReadWholeFile(ProcPath(pid, L"cmdline"));
    if (!commandLine) continue;
    std::replace(commandLine->begin(), commandLine->end(), '\0', ' ');
    if (!std::all_of(needles.begin(), needles.end(),
                     [&](const std::string& n) { return commandLine->find(n) != std::string::npos; }))
      continue;
    if (!environmentEntry.empty()) {
      auto environment = ReadWholeFile(ProcPath(pid, L"environ"));
      if (!environment) continue;
      environment->insert(environment->begin(), '\0');
      if (environment->find('\0' + environmentEntry + '\0') == std::string::npos) continue;
    }
    return pid;
  } while (::FindNextFileW(find.get(), &entry));
  return 0;
}

inline std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

}  // namespace bench
