// Text across the 8-bit Windows calls, in the process's ANSI code page.
#pragma once

#include <string>

namespace kelvano::win32 {

std::string ToAnsi(const std::wstring& text);
std::wstring FromAnsi(const std::string& bytes);

}  // namespace kelvano::win32
