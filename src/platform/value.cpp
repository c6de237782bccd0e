#include "platform/value.h"

#include <charconv>

#include "platform/runtime_error.h"

namespace kelvano {

// to_chars rather than to_wstring: no printf engine in the exe for one integer.
std::wstring DecimalText(std::int32_t number) {
  char digits[12];
  const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
  return std::wstring(digits, end);
}

std::wstring ToText(const Value& v) {
  if (const std::wstring* text = AsText(v)) return *text;
  if (const std::int32_t* number = AsInt32(v)) return DecimalText(*number);
  if (IsEmpty(v)) return {};
  throw errors::TypeMismatch();
}

}  // namespace kelvano
