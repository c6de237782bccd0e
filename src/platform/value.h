// What crosses a late-bound automation call: the portable counterpart of a VARIANT.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

namespace kelvano {

class AutomationObject;
using ObjectRef = std::shared_ptr<AutomationObject>;  // null is "Nothing"

struct Empty {
  bool operator==(const Empty&) const = default;
};
// An omitted optional argument (passed as the missing-argument error value).
struct Missing {
  bool operator==(const Missing&) const = default;
};

using Value = std::variant<Empty, Missing, std::int32_t, std::wstring, ObjectRef>;

inline bool IsEmpty(const Value& v) { return std::holds_alternative<Empty>(v); }
inline const std::wstring* AsText(const Value& v) { return std::get_if<std::wstring>(&v); }
inline const std::int32_t* AsInt32(const Value& v) { return std::get_if<std::int32_t>(&v); }
inline ObjectRef AsObject(const Value& v) {
  const ObjectRef* object = std::get_if<ObjectRef>(&v);
  return object ? *object : nullptr;
}

// An integer's decimal text.
std::wstring DecimalText(std::int32_t number);

// The text form of a value as the automation conversion gives it: an integer in decimal,
// empty for Empty.
std::wstring ToText(const Value& v);

}  // namespace kelvano
