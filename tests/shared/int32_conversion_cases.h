// The automation text-to-integer coercion, as a table both the real one (under Wine) and
// the portable double are checked against.
#pragma once

#include <cstdint>

namespace kelvano::cases {

enum class Outcome { kValue, kTypeMismatch, kOverflow };

struct Int32Conversion {
  const wchar_t* text;
  Outcome outcome;
  std::int32_t value;
};

inline constexpr Int32Conversion kInt32Conversions[] = {
    {L"77", Outcome::kValue, 77},
    {L"  77  ", Outcome::kValue, 77},
    {L"+5", Outcome::kValue, 5},
    {L"-5", Outcome::kValue, -5},
    {L"0", Outcome::kValue, 0},
    {L"2.5", Outcome::kValue, 2},
    {L"3.5", Outcome::kValue, 4},
    {L"-2.5", Outcome::kValue, -2},
    {L"0.5", Outcome::kValue, 0},
    {L"1.5", Outcome::kValue, 2},
    {L"2.51", Outcome::kValue, 3},
    {L"1e3", Outcome::kValue, 1000},
    {L"&H10", Outcome::kValue, 16},
    {L"2147483647", Outcome::kValue, 2147483647},
    {L"-2147483648", Outcome::kValue, -2147483647 - 1},
    {L"2147483648", Outcome::kOverflow, 0},
    {L"-2147483649", Outcome::kOverflow, 0},
    {L"99999999999", Outcome::kOverflow, 0},
    {L"", Outcome::kTypeMismatch, 0},
    {L"   ", Outcome::kTypeMismatch, 0},
    {L"abc", Outcome::kTypeMismatch, 0},
    {L"12abc", Outcome::kTypeMismatch, 0},
    {L"1 2", Outcome::kTypeMismatch, 0},
    {L"--1", Outcome::kTypeMismatch, 0},
    {L".", Outcome::kTypeMismatch, 0},
    {L"tebuk=7718yqzoxihar:mc=[93=6602H471}{&}{%", Outcome::kTypeMismatch, 0},
};

}  // namespace kelvano::cases
