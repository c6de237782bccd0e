// The registry helpers' cases: stored data and what reading it gives, values and what writing
// them stores. One table, run natively over the FakeRegistry and under Wine over the real
// registry (mod_reg_case_tests.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/runtime_error.h"
#include "platform/value.h"
#include "registry/mod_reg.h"
#include "scratch_registry.h"

namespace kelvano::registry_cases {

using namespace std::string_literals;

inline StoredValue Stored(std::uint32_t type, std::string bytes) { return {type, std::move(bytes)}; }
inline StoredValue Sz(std::string bytes) { return {kRegSz, std::move(bytes)}; }
inline StoredValue Dword(std::string bytes) { return {kRegDword, std::move(bytes)}; }

inline const std::string kOneMebibyte((1u << 20), 'x');

// A value "Value" in the scratch key, read with ReadRegValue and with QueryRegValue.
struct ReadCase {
  const char* name;
  StoredValue stored;
  // What QueryRegValue leaves in the variant it is given; nullopt: the variant as it was.
  // ReadRegValue returns the same, or Empty.
  std::optional<Value> read;
  RegStatus status = kErrorSuccess;
  // Someone rewrites the value between the size query and the data query.
  std::optional<StoredValue> changedBetweenQueries = std::nullopt;
  bool needsCodePage1252 = false;
};

inline const std::vector<ReadCase> kReadCases = {
    // Text: up to the first NUL, which need not be there.
    {.name = "SzWithTerminator", .stored = Sz("Database\0"s), .read = Value{L"Database"}},
    {.name = "SzWithoutTerminator", .stored = Sz("Database"), .read = Value{L"Database"}},
    {.name = "SzOnlyTerminator", .stored = Sz("\0"s), .read = Value{L""}},
    {.name = "SzNoBytes", .stored = Sz(""), .read = Value{L""}},
    {.name = "SzNulInside", .stored = Sz("Form\0View\0"s), .read = Value{L"Form"}},
    {.name = "SzOneMebibyteWithoutTerminator",
     .stored = Sz(kOneMebibyte),
     .read = Value{std::wstring(kOneMebibyte.size(), L'x')}},
    {.name = "SzAnsiCodePage", .stored = Sz("Caf\xE9\0"s), .read = Value{L"Caf\u00E9"}, .needsCodePage1252 = true},

    // 32-bit integers: 4 little-endian bytes; fewer fill the low bytes.
    {.name = "Dword", .stored = Dword("\x0C\0\0\0"s), .read = Value{12}},
    {.name = "DwordAllOnes", .stored = Dword("\xFF\xFF\xFF\xFF"), .read = Value{-1}},
    {.name = "DwordLowest", .stored = Dword("\0\0\0\x80"s), .read = Value{INT32_MIN}},
    {.name = "DwordThreeBytes", .stored = Dword("\x01\x02\x03"), .read = Value{0x030201}},
    {.name = "DwordOneByte", .stored = Dword("\xFE"), .read = Value{0xFE}},
    {.name = "DwordNoBytes", .stored = Dword(""), .read = Value{0}},
    // More than the integer holds: the data query fails and nothing is taken from it.
    {.name = "DwordEightBytes",
     .stored = Dword("\x01\0\0\0\x02\0\0\0"s),
     .read = std::nullopt,
     .status = kErrorMoreData},

    // Other types read as nothing.
    {.name = "Binary", .stored = Stored(kRegBinary, "\x01\x02"), .read = std::nullopt, .status = kRegStatusOtherType},
    {.name = "ExpandSz",
     .stored = Stored(kRegExpandSz, "%TEMP%\0"s),
     .read = std::nullopt,
     .status = kRegStatusOtherType},
    {.name = "MultiSz",
     .stored = Stored(kRegMultiSz, "a\0b\0\0"s),
     .read = std::nullopt,
     .status = kRegStatusOtherType},
    {.name = "Qword",
     .stored = Stored(kRegQword, "\x01\0\0\0\0\0\0\0"s),
     .read = std::nullopt,
     .status = kRegStatusOtherType},
    {.name = "DwordBigEndian",
     .stored = Stored(kRegDwordBigEndian, "\0\0\0\x0C"s),
     .read = std::nullopt,
     .status = kRegStatusOtherType},
    {.name = "None", .stored = Stored(kRegNone, ""), .read = std::nullopt, .status = kRegStatusOtherType},

    // The value changes between the two queries.
    {.name = "SzGrowsBetweenQueries",
     .stored = Sz("Data\0"s),
     .read = Value{Empty{}},
     .status = kErrorMoreData,
     .changedBetweenQueries = Sz("Database\0"s)},
    {.name = "SzShrinksBetweenQueries",
     .stored = Sz("Database\0"s),
     .read = Value{L"Da"},
     .changedBetweenQueries = Sz("Da")},
    {.name = "SzBecomesDword",
     .stored = Sz("Database\0"s),
     .read = Value{Empty{}},
     .status = kRegStatusOtherType,
     .changedBetweenQueries = Dword("\x0C\0\0\0"s)},
    {.name = "DwordGrowsBetweenQueries",
     .stored = Dword("\x0C\0\0\0"s),
     .read = std::nullopt,
     .status = kErrorMoreData,
     .changedBetweenQueries = Dword("\x0C\0\0\0\0\0\0\0"s)},
    {.name = "DwordShrinksBetweenQueries",
     .stored = Dword("\x0C\0\0\x01"s),
     .read = Value{0x0D},
     .changedBetweenQueries = Dword("\x0D")},
    {.name = "DwordBecomesSz",
     .stored = Dword("\x0C\0\0\0"s),
     .read = std::nullopt,
     .status = kRegStatusOtherType,
     .changedBetweenQueries = Sz("12\0"s)},
};

// WriteRegValue of a value named "Value".
struct WriteCase {
  const char* name;
  Value value;
  std::uint32_t type;
  // What the value holds afterwards; nullopt: there is none.
  std::optional<StoredValue> after;
  // The run-time error number the write raises; 0: none.
  std::int32_t error = 0;
  // What the value held before; nullopt: there was none.
  std::optional<StoredValue> before = std::nullopt;
  // The key and its parents do not exist before the write.
  bool keyMissing = false;
  bool needsCodePage1252 = false;
};

inline const std::vector<WriteCase> kWriteCases = {
    // Text: in the ANSI code page with one NUL.
    {.name = "SzText", .value = Value{L"Database"}, .type = kRegSz, .after = Sz("Database\0"s)},
    {.name = "SzEmptyText", .value = Value{L""}, .type = kRegSz, .after = Sz("\0"s)},
    {.name = "SzEmpty", .value = Value{}, .type = kRegSz, .after = Sz("\0"s)},
    {.name = "SzInteger", .value = Value{-12}, .type = kRegSz, .after = Sz("-12\0"s)},
    {.name = "SzAnsiCodePage",
     .value = Value{L"Caf\u00E9"},
     .type = kRegSz,
     .after = Sz("Caf\xE9\0"s),
     .needsCodePage1252 = true},
    {.name = "SzReplacesDword",
     .value = Value{L"Form View"},
     .type = kRegSz,
     .after = Sz("Form View\0"s),
     .before = Dword("\x05\0\0\0"s)},
    {.name = "SzUnderMissingKey",
     .value = Value{L"Database"},
     .type = kRegSz,
     .after = Sz("Database\0"s),
     .keyMissing = true},

    // 32-bit integers: converted as automation converts, stored in 4 little-endian bytes.
    {.name = "DwordFromText", .value = Value{L"12"}, .type = kRegDword, .after = Dword("\x0C\0\0\0"s)},
    {.name = "DwordFromInteger", .value = Value{-1}, .type = kRegDword, .after = Dword("\xFF\xFF\xFF\xFF")},
    {.name = "DwordFromLowestText", .value = Value{L"-2147483648"}, .type = kRegDword, .after = Dword("\0\0\0\x80"s)},
    {.name = "DwordFromEmpty", .value = Value{}, .type = kRegDword, .after = Dword("\0\0\0\0"s)},
    {.name = "DwordUnderMissingKey",
     .value = Value{L"12"},
     .type = kRegDword,
     .after = Dword("\x0C\0\0\0"s),
     .keyMissing = true},

    // A value that does not convert: raised before anything is written.
    {.name = "DwordFromWord",
     .value = Value{L"Database"},
     .type = kRegDword,
     .after = std::nullopt,
     .error = errors::kTypeMismatch},
    {.name = "DwordFromEmptyText",
     .value = Value{L""},
     .type = kRegDword,
     .after = std::nullopt,
     .error = errors::kTypeMismatch},
    {.name = "DwordFromTooLarge",
     .value = Value{L"2147483648"},
     .type = kRegDword,
     .after = std::nullopt,
     .error = errors::kOverflow},
    {.name = "DwordFromWordKeepsOld",
     .value = Value{L"twelve"},
     .type = kRegDword,
     .after = Sz("Old\0"s),
     .error = errors::kTypeMismatch,
     .before = Sz("Old\0"s)},
    {.name = "DwordFromWordUnderMissingKey",
     .value = Value{L"twelve"},
     .type = kRegDword,
     .after = std::nullopt,
     .error = errors::kTypeMismatch,
     .keyMissing = true},

    // Another type writes nothing.
    {.name = "Binary", .value = Value{L"Database"}, .type = kRegBinary, .after = std::nullopt},
    {.name = "BinaryKeepsOld",
     .value = Value{L"Database"},
     .type = kRegBinary,
     .after = Sz("Old\0"s),
     .before = Sz("Old\0"s)},
};

}  // namespace kelvano::registry_cases
