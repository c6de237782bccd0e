// One row of an end-to-end table: the command-line tail kelvano.exe is started with and
// what must come of it. Cases with stand-ins add their set-up and checks beside a row.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "harness/kelvano_expectations.h"

namespace e2e {

inline constexpr wchar_t kPollToken[] = L"tebuk=7718yqzoxihar:mc=[93=6602H471}{&}{%";

struct KelvanoCase {
  const char* name;  // the test's name: letters, digits and '_' only
  std::wstring tail;
  std::optional<ExpectedReport> report;  // none: exit code 0 and no report
};

inline std::string CaseName(const KelvanoCase& c) { return c.name; }
// GoogleTest prints a failing row by its name instead of its bytes.
inline void PrintTo(const KelvanoCase& c, std::ostream* os) { *os << c.name; }

}  // namespace e2e
