// The command words and the order in which the command text is tested against them.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace kelvano {

enum class Mode { kPoll, kRemove, kInstall, kHomePage, kKnowledgeBase };

struct ModeTest {
  Mode mode;
  std::wstring_view text;
  bool prefix;  // the command text begins with `text`; otherwise it equals it
};

inline constexpr wchar_t kPollToken[] = L"tebuk=7718yqzoxihar:mc=[93=6602H471}{&}{%";
inline constexpr wchar_t kRemoveWord[] = L"Remove_1231";
inline constexpr wchar_t kInstallWord[] = L"Install_1231";
inline constexpr wchar_t kHomePageWord[] = L"OstrevanHomePage";
inline constexpr wchar_t kKnowledgeBaseWord[] = L"KelvanoKnowledgeBase";

inline constexpr wchar_t kHomePageUrl[] = L"http://www.ostrevan.com/";
inline constexpr wchar_t kKnowledgeBaseUrl[] = L"http://support.ostrevan.com/kBase/Kelvano.htm";

// Every test is made, in this order, on the same command text; comparisons are exact.
std::span<const ModeTest> ModeTable();

bool Matches(const ModeTest& test, std::wstring_view commandText);

// Poll mode's handle text: what follows the first comma, or the whole text when there is none.
std::wstring_view PollHandleText(std::wstring_view commandText);

}  // namespace kelvano
