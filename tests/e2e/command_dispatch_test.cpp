// Command lines that name no mode: kelvano does nothing, shows nothing and ends at once.
#include <gtest/gtest.h>

#include "harness/program_run.h"
#include "harness/url_recorder.h"
#include "kelvano_cases.h"

namespace e2e {
namespace {

// Nothing in these runs may wait on a window, a COM server or a browser.
constexpr auto kPromptly = 5s;
// Long enough for the shell to have started a browser had kelvano asked it to.
constexpr auto kBrowserGrace = 500ms;

class NoModeTest : public testing::TestWithParam<KelvanoCase> {};

TEST_P(NoModeTest, EndsAtOnceDoingNothing) {
  ClearRecordedUrl();
  const RunResult result = RunKelvano(GetParam().tail, RunOptions{20s});
  ExpectOutcome(result, std::nullopt);
  EXPECT_LT(result.elapsed, kPromptly) << Describe(result);
  EXPECT_EQ(WaitForRecordedUrl(kBrowserGrace), std::nullopt) << "a page was opened";
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, NoModeTest,
    testing::Values(KelvanoCase{"Empty", L"", std::nullopt}, KelvanoCase{"OnlySpaces", L"   ", std::nullopt},
                    KelvanoCase{"UnknownWord", L" Hello", std::nullopt},
                    KelvanoCase{"UnknownWords", L" Kelvano Remove", std::nullopt},
                    KelvanoCase{"RemoveWordInLowerCase", L" remove_1231", std::nullopt},
                    KelvanoCase{"InstallWordInUpperCase", L" INSTALL_1231", std::nullopt},
                    KelvanoCase{"HomePageWordInLowerCase", L" ostrevanhomepage", std::nullopt},
                    KelvanoCase{"InstallWordFollowedByAWord", L" Install_1231 now", std::nullopt},
                    KelvanoCase{"RemoveWordFollowedByAWord", L" Remove_1231 all", std::nullopt},
                    KelvanoCase{"HomePageWordFollowedByAWord", L" OstrevanHomePage please", std::nullopt},
                    KelvanoCase{"ModeWordWithoutSuffix", L" Remove", std::nullopt},
                    // Only spaces are trimmed: a tab makes the word another word.
                    KelvanoCase{"HomePageWordBeforeATab", L" OstrevanHomePage\t", std::nullopt},
                    // The token must start the command text.
                    KelvanoCase{"PollTokenNotAtStart", std::wstring(L" x") + kPollToken + L",77", std::nullopt}),
    [](const auto& info) { return CaseName(info.param); });

}  // namespace
}  // namespace e2e
