// Windows code page 1252 (Western European), the ANSI code page of the test doubles: what
// the 8-bit calls of an English-language Windows make of text.
#pragma once

#include <string>

namespace kelvano::doubles {

// Characters the code page has no byte for become '?', as WideCharToMultiByte's default
// character.
std::string ToCodePage1252(const std::wstring& text);
std::wstring FromCodePage1252(const std::string& bytes);

}  // namespace kelvano::doubles
