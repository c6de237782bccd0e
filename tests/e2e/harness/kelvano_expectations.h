// The outcome checks shared by the end-to-end cases, so each case is one row of a table.
#pragma once

#include <optional>
#include <string>

#include "harness/program_run.h"

namespace e2e {

// The program's name, which titles its run-time error report.
inline constexpr wchar_t kProgramName[] = L"kelvano";

struct ExpectedReport {
  int number;            // 13
  std::wstring message;  // L"Type mismatch"
};

// A finished run that was not killed and showed `report`, or nothing at all:
// - no report: exit code 0;
// - a report: exactly one, titled with the program's name, reading
//   "Run-time error 'N':", a blank line, the message; then a non-zero exit code.
void ExpectOutcome(const RunResult& result, const std::optional<ExpectedReport>& report);

}  // namespace e2e
