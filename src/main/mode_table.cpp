#include "main/mode_table.h"

namespace kelvano {

namespace {
constexpr ModeTest kModeTable[] = {
    {Mode::kPoll, kPollToken, true},
    {Mode::kRemove, kRemoveWord, false},
    {Mode::kInstall, kInstallWord, false},
    {Mode::kHomePage, kHomePageWord, false},
    {Mode::kKnowledgeBase, kKnowledgeBaseWord, false},
};
}  // namespace

std::span<const ModeTest> ModeTable() { return kModeTable; }

bool Matches(const ModeTest& test, std::wstring_view commandText) {
  return test.prefix ? commandText.starts_with(test.text) : commandText == test.text;
}

std::wstring_view PollHandleText(std::wstring_view commandText) {
  const std::size_t comma = commandText.find(L',');
  return comma == std::wstring_view::npos ? commandText : commandText.substr(comma + 1);
}

}  // namespace kelvano
