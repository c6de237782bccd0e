#include "text_to_int32.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/runtime_error.h"

namespace kelvano::doubles {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

std::int32_t FromRadix(std::wstring_view digits, int radix) {
  if (digits.empty()) throw errors::TypeMismatch();
  std::uint64_t value = 0;
  for (wchar_t c : digits) {
    int d = -1;
    if (IsDigit(c))
      d = c - L'0';
    else if (c >= L'a' && c <= L'f')
      d = c - L'a' + 10;
    else if (c >= L'A' && c <= L'F')
      d = c - L'A' + 10;
    if (d < 0 || d >= radix) throw errors::TypeMismatch();
    value = value * radix + d;
    if (value > 0xFFFFFFFFu) throw errors::Overflow();
  }
  // "&HFFFFFFFF" is -1, as the 32-bit pattern reads.
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

}  // namespace

std::int32_t TextToInt32(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (text.size() > 2 && text[0] == L'&' && (text[1] == L'H' || text[1] == L'h')) return FromRadix(text.substr(2), 16);
  if (text.size() > 2 && text[0] == L'&' && (text[1] == L'O' || text[1] == L'o')) return FromRadix(text.substr(2), 8);

  // sign? digits [. digits] [(e|E) sign? digits]
  std::size_t i = 0;
  std::string number;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) number += static_cast<char>(text[i++]);
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) number += static_cast<char>(text[i++]), ++digits;
  if (i < text.size() && text[i] == L'.') {
    number += '.';
    ++i;
    while (i < text.size() && IsDigit(text[i])) number += static_cast<char>(text[i++]), ++digits;
  }
  if (digits == 0) throw errors::TypeMismatch();
  if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
    number += 'e';
    ++i;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) number += static_cast<char>(text[i++]);
    std::size_t exponentDigits = 0;
    while (i < text.size() && IsDigit(text[i])) number += static_cast<char>(text[i++]), ++exponentDigits;
    if (exponentDigits == 0) throw errors::TypeMismatch();
  }
  if (i != text.size()) throw errors::TypeMismatch();

  const double value = std::strtod(number.c_str(), nullptr);
  const double rounded = std::nearbyint(value);  // the default rounding mode: halves to even
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) throw errors::Overflow();
  return static_cast<std::int32_t>(rounded);
}

}  // namespace kelvano::doubles
