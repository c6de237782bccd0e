// The two web-page modes: kelvano hands a plain http address to the shell and ends.
#include <gtest/gtest.h>

#include "harness/program_paths.h"
#include "main/mode_table.h"
#include "harness/program_run.h"
#include "harness/url_recorder.h"
#include "kelvano_cases.h"

namespace e2e {
namespace {

// The shell may start the browser after kelvano has ended; a slow Wine start-up included.
constexpr auto kBrowserStart = 20s;

std::optional<std::wstring> AddressOpenedBy(const std::wstring& commandLine) {
  ClearRecordedUrl();
  const RunResult result = RunKelvanoWithCommandLine(commandLine);
  ExpectOutcome(result, std::nullopt);
  auto url = WaitForRecordedUrl(kBrowserStart);
  if (!url) ADD_FAILURE() << "no page opened for " << testing::PrintToString(commandLine);
  return url;
}

std::optional<UrlParts> PageOpenedBy(const std::wstring& commandLine) {
  const auto url = AddressOpenedBy(commandLine);
  if (!url) return std::nullopt;
  auto parts = SplitUrl(*url);
  if (!parts) ADD_FAILURE() << "not an absolute address: " << testing::PrintToString(*url);
  return parts;
}

std::optional<UrlParts> OpenedPage(const std::wstring& tail) { return PageOpenedBy(KelvanoCommandLine(tail)); }

TEST(WebPage, HomePageIsTheRootOfAnHttpSite) {
  const auto page = OpenedPage(L" OstrevanHomePage");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->scheme, L"http");
  EXPECT_EQ(page->path, L"/");
}

TEST(WebPage, KnowledgeBaseIsItsPageOnAnotherHost) {
  const auto knowledgeBase = OpenedPage(L" KelvanoKnowledgeBase");
  const auto home = OpenedPage(L" OstrevanHomePage");
  ASSERT_TRUE(knowledgeBase && home);
  EXPECT_EQ(knowledgeBase->scheme, L"http");
  EXPECT_EQ(knowledgeBase->path, L"/kBase/Kelvano.htm");
  EXPECT_NE(knowledgeBase->host, home->host);
}

// The addresses arrive whole, through the shell's 8-bit call, as the program defines them.
TEST(WebPage, AddressesReachTheBrowserUnchanged) {
  EXPECT_EQ(AddressOpenedBy(KelvanoCommandLine(L" OstrevanHomePage")), kelvano::kHomePageUrl);
  EXPECT_EQ(AddressOpenedBy(KelvanoCommandLine(L" KelvanoKnowledgeBase")), kelvano::kKnowledgeBaseUrl);
}

// Spaces around the word are trimmed; the same page opens.
TEST(WebPage, ModeWordWithSurroundingSpacesOpensThePage) {
  const auto page = OpenedPage(L"   KelvanoKnowledgeBase   ");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->path, L"/kBase/Kelvano.htm");
}

// Without a space after the quoted program name the word still is the whole argument text.
TEST(WebPage, ModeWordRightAfterTheQuotedProgramName) {
  const auto page = OpenedPage(L"KelvanoKnowledgeBase");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->path, L"/kBase/Kelvano.htm");
}

// The program's own name may come unquoted when its path has no spaces.
TEST(WebPage, ModeWordAfterAnUnquotedProgramName) {
  ASSERT_EQ(KelvanoPath().find(L' '), std::wstring::npos) << "this case needs a path without spaces";
  const auto page = PageOpenedBy(KelvanoPath() + L" KelvanoKnowledgeBase");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->path, L"/kBase/Kelvano.htm");
}

}  // namespace
}  // namespace e2e
