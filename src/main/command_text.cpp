#include "main/command_text.h"

namespace kelvano {

std::wstring_view ArgumentsOf(std::wstring_view commandLine) {
  std::size_t end = 0;
  if (!commandLine.empty() && commandLine.front() == L'"') {
    const std::size_t closing = commandLine.find(L'"', 1);
    end = closing == std::wstring_view::npos ? commandLine.size() : closing + 1;
  } else {
    end = commandLine.find_first_of(L" \t");
    if (end == std::wstring_view::npos) end = commandLine.size();
  }
  return commandLine.substr(end);
}

std::wstring_view TrimSpaces(std::wstring_view text) {
  const std::size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring_view::npos) return {};
  const std::size_t last = text.find_last_not_of(L' ');
  return text.substr(first, last - first + 1);
}

std::wstring CommandText(std::wstring_view commandLine) { return std::wstring(TrimSpaces(ArgumentsOf(commandLine))); }

}  // namespace kelvano
