// The command text: the arguments after the program's own name, without surrounding spaces.
#pragma once

#include <string>
#include <string_view>

namespace kelvano {

// Everything after the program name, split off by Windows' rule: a quoted name ends at its
// closing quote, an unquoted one at the first space or tab.
std::wstring_view ArgumentsOf(std::wstring_view commandLine);

// Removes leading and trailing space characters only; tabs and other white space stay.
std::wstring_view TrimSpaces(std::wstring_view text);

std::wstring CommandText(std::wstring_view commandLine);

}  // namespace kelvano
