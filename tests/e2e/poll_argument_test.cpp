// Poll mode's window-handle argument: text that does not convert to a signed 32-bit number
// ends kelvano with its run-time error report before any poll window or printer session.
#include <gtest/gtest.h>

#include "harness/program_run.h"
#include "kelvano_cases.h"

namespace e2e {
namespace {

const ExpectedReport kTypeMismatch{13, L"Type mismatch"};
const ExpectedReport kOverflow{6, L"Overflow"};

std::wstring Poll(const std::wstring& rest) { return L" " + std::wstring(kPollToken) + rest; }

class PollArgumentTest : public testing::TestWithParam<KelvanoCase> {};

TEST_P(PollArgumentTest, EndsWithTheConversionErrorReport) {
  ExpectOutcome(RunKelvano(GetParam().tail), GetParam().report);
}

INSTANTIATE_TEST_SUITE_P(CommandLine, PollArgumentTest,
                         testing::Values(
                             // Without a comma the whole command text is converted.
                             KelvanoCase{"TokenAlone", Poll(L""), kTypeMismatch},
                             KelvanoCase{"TokenAloneWithSpaces", L"  " + Poll(L"  "), kTypeMismatch},
                             KelvanoCase{"Letters", Poll(L",abc"), kTypeMismatch},
                             KelvanoCase{"NothingAfterComma", Poll(L","), kTypeMismatch},
                             KelvanoCase{"TextBeforeCommaThenLetters", Poll(L"xyz,abc"), kTypeMismatch},
                             KelvanoCase{"TooLarge", Poll(L",99999999999"), kOverflow},
                             KelvanoCase{"OneAboveInt32Max", Poll(L",2147483648"), kOverflow},
                             KelvanoCase{"OneBelowInt32Min", Poll(L",-2147483649"), kOverflow}),
                         [](const auto& info) { return CaseName(info.param); });

}  // namespace
}  // namespace e2e
