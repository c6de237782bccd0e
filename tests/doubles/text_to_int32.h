// A portable version of the automation text-to-integer coercion (VarI4FromStr with the
// default flags, invariant number format): surrounding spaces accepted, an optional sign,
// digits with an optional fraction and exponent, "&H"/"&O" radix forms, rounding to the
// nearest integer with halves to even. Raises a type mismatch or an overflow.
#pragma once

#include <cstdint>
#include <string_view>

namespace kelvano::doubles {

std::int32_t TextToInt32(std::wstring_view text);

}  // namespace kelvano::doubles
