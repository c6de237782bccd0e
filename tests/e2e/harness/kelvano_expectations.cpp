#include "harness/kelvano_expectations.h"

#include <gtest/gtest.h>

#include <vector>

namespace e2e {

void ExpectOutcome(const RunResult& result, const std::optional<ExpectedReport>& report) {
  const std::string run = Describe(result);
  ASSERT_FALSE(result.timedOut) << run;
  if (!report) {
    EXPECT_FALSE(result.report.has_value()) << run;
    EXPECT_EQ(result.exitCode, 0u) << run;
    return;
  }
  ASSERT_TRUE(result.report.has_value()) << run;
  EXPECT_EQ(result.reportCount, 1) << run;
  EXPECT_EQ(result.report->title, kProgramName) << run;
  const std::vector<std::wstring> lines{L"Run-time error '" + std::to_wstring(report->number) + L"':", L"",
                                        report->message};
  EXPECT_EQ(result.report->Lines(), lines) << run;
  EXPECT_NE(result.exitCode, 0u) << run;
}

}  // namespace e2e
