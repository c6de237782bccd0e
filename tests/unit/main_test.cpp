// The command line and the mode table, through Main against the doubles.
#include <gtest/gtest.h>

#include <algorithm>

#include <optional>

#include "fake_driver.h"
#include "fake_office.h"
#include "fake_platform.h"
#include "platform_doubles.h"
#include "main/command_text.h"
#include "main/main.h"
#include "main/mode_table.h"
#include "platform/runtime_error.h"

namespace kelvano {
namespace {

using doubles::FakeObject;

struct Fixture : doubles::PlatformDoubles {
  Fixture() { testing::RegisterFakeDriver(automation); }
};

enum class Ran { kNothing, kRemove, kInstall };

struct CommandCase {
  const wchar_t* commandLine;
  Ran ran;
};

// The driver calls tell which mode ran: Remove uninstalls first, Install installs first.
Ran WhatRan(const doubles::CallLog& log) {
  for (const std::wstring& line : log) {
    if (line.starts_with(L"driver.#21")) return Ran::kRemove;
    if (line.starts_with(L"driver.#27")) return Ran::kInstall;
  }
  return Ran::kNothing;
}

const std::wstring kToken = kPollToken;

TEST(Main, RunsTheModeTheCommandTextNamesExactly) {
  const CommandCase cases[] = {
      {L"kelvano.exe Remove_1231", Ran::kRemove},
      {L"kelvano.exe    Remove_1231   ", Ran::kRemove},
      {L"kelvano.exe remove_1231", Ran::kNothing},
      {L"kelvano.exe REMOVE_1231", Ran::kNothing},
      {L"kelvano.exe Install_1231", Ran::kInstall},
      {L"kelvano.exe Install_1231 now", Ran::kNothing},
      {L"kelvano.exe Install_1231,", Ran::kNothing},
      {L"kelvano.exe \tInstall_1231", Ran::kNothing},
      {L"kelvano.exe Install_1231\t", Ran::kNothing},
      {L"kelvano.exe \"Install_1231\"", Ran::kNothing},
      {L"\"C:\\Program Files\\Ostrevan\\kelvano.exe\" Install_1231", Ran::kInstall},
      {L"\"C:\\Program Files\\Ostrevan\\kelvano.exe\"Install_1231", Ran::kInstall},
      {L"C:\\Temp\\kelvano.exe\tInstall_1231", Ran::kNothing},
      {L"kelvano.exe", Ran::kNothing},
      {L"kelvano.exe ", Ran::kNothing},
      {L"", Ran::kNothing},
      {L"kelvano.exe Hello", Ran::kNothing},
      {L"kelvano.exe Remove_1231Install_1231", Ran::kNothing},
  };
  for (const CommandCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "command line: " << c.commandLine);
    Fixture f;
    f.process.commandLine = c.commandLine;
    EXPECT_NO_THROW(Main(f.platform));
    EXPECT_EQ(WhatRan(f.automation.log), c.ran);
    EXPECT_TRUE(f.shell.calls.empty());
    EXPECT_EQ(FakeObject::Alive(), 0);
  }
}

TEST(Main, RemoveCleansUpOfficeBeforeRemovingThePrinter) {
  Fixture f;
  doubles::FakeOffice office(f.automation);
  office.Install(L"Word.Application", {{{L"Ostrevan Kelvano"}}});
  f.process.commandLine = L"kelvano.exe Remove_1231";
  Main(f.platform);

  const auto position = [&](const std::wstring& line) {
    return std::find(f.automation.log.begin(), f.automation.log.end(), line) - f.automation.log.begin();
  };
  const auto quit = position(L"Word.Quit()");
  const auto uninstall = position(L"driver.#21(Ostrevan Kelvano Converter)");
  ASSERT_LT(quit, static_cast<std::ptrdiff_t>(f.automation.log.size()));
  ASSERT_LT(uninstall, static_cast<std::ptrdiff_t>(f.automation.log.size()));
  EXPECT_LT(quit, uninstall);
  EXPECT_TRUE(office.App(L"Word.Application").bars[0].deleted);
  EXPECT_EQ(FakeObject::Alive(), 0);
}

TEST(Main, WebPageModesOpenTheirAddressAndEndTheProcess) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"kelvano.exe OstrevanHomePage", kHomePageUrl},
      {L"kelvano.exe  KelvanoKnowledgeBase ", kKnowledgeBaseUrl},
  };
  for (const auto& [commandLine, address] : cases) {
    SCOPED_TRACE(::testing::Message() << "command line: " << commandLine);
    Fixture f;
    f.process.commandLine = commandLine;
    EXPECT_THROW(Main(f.platform), doubles::ProcessEnded);
    ASSERT_EQ(f.shell.calls.size(), 1u);
    EXPECT_EQ(f.shell.calls[0].owner, doubles::FakeWindowSystem::kDesktop);
    EXPECT_EQ(f.shell.calls[0].verb, L"open");
    EXPECT_EQ(f.shell.calls[0].file, address);
    EXPECT_EQ(f.shell.calls[0].showCommand, 1);
    EXPECT_TRUE(f.automation.log.empty());
  }
}

TEST(Main, WebPageAddressesArePlainHttpOnTwoHosts) {
  const std::wstring home = kHomePageUrl, knowledgeBase = kKnowledgeBaseUrl;
  auto host = [](const std::wstring& url) { return url.substr(7, url.find(L'/', 7) - 7); };
  EXPECT_TRUE(home.starts_with(L"http://"));
  EXPECT_TRUE(knowledgeBase.starts_with(L"http://"));
  EXPECT_TRUE(knowledgeBase.ends_with(L"/kBase/Kelvano.htm"));
  EXPECT_EQ(home.substr(7 + host(home).size()), L"/");
  EXPECT_NE(host(home), host(knowledgeBase));
}

TEST(Main, PollHandleThatDoesNotConvertEndsBeforeAnyDriverCall) {
  const std::pair<std::wstring, std::int32_t> cases[] = {
      {kToken, errors::kTypeMismatch},
      {kToken + L",", errors::kTypeMismatch},
      {kToken + L",abc", errors::kTypeMismatch},
      {kToken + L"xyz,12abc", errors::kTypeMismatch},
      {kToken + L",99999999999", errors::kOverflow},
      {kToken + L",-2147483649", errors::kOverflow},
  };
  for (const auto& [text, number] : cases) {
    SCOPED_TRACE(::testing::Message() << "command text: " << text);
    Fixture f;
    f.process.commandLine = L"kelvano.exe " + text;
    try {
      Main(f.platform);
      ADD_FAILURE() << "no run-time error";
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.Number(), number);
    }
    EXPECT_TRUE(f.automation.log.empty());
  }
}

TEST(CommandText, PollHandleIsWhatFollowsTheFirstComma) {
  EXPECT_EQ(PollHandleText(kToken + L",77"), L"77");
  EXPECT_EQ(PollHandleText(kToken + L"other text, 77 "), L" 77 ");
  EXPECT_EQ(PollHandleText(kToken + L",1,2"), L"1,2");
  EXPECT_EQ(PollHandleText(kToken), kToken);
}

TEST(CommandText, ProgramNameIsSplitOffByTheWindowsRule) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"kelvano.exe Remove_1231", L" Remove_1231"},
      {L"\"C:\\a b\\kelvano.exe\" x", L" x"},
      {L"\"C:\\a b\\kelvano.exe\"x", L"x"},
      {L"\"unterminated x", L""},
      {L"kelvano.exe\tx", L"\tx"},
      {L"kelvano.exe", L""},
      {L"", L""},
  };
  for (const auto& [line, arguments] : cases) EXPECT_EQ(ArgumentsOf(line), arguments) << line;
  EXPECT_EQ(TrimSpaces(L"  a b  "), L"a b");
  EXPECT_EQ(TrimSpaces(L"\t a \t"), L"\t a \t");
  EXPECT_EQ(TrimSpaces(L"    "), L"");
}

}  // namespace
}  // namespace kelvano
