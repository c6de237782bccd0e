#include "platform/value.h"

#include "platform/runtime_error.h"

namespace kelvano {

std::wstring ToText(const Value& v) {
  if (const std::wstring* text = AsText(v)) return *text;
  if (const std::int32_t* number = AsInt32(v)) return std::to_wstring(*number);
  if (IsEmpty(v)) return {};
  throw errors::TypeMismatch();
}

}  // namespace kelvano
