// The registry helpers' tests over a ScratchRegistry. Included once by the native unit tests
// (FakeRegistry) and once by the Windows tests (the real registry), each of which defines
// MakeScratchRegistry().
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "registry/mod_reg.h"
#include "registry_cases.h"
#include "scratch_registry.h"

namespace kelvano::registry_cases {

inline constexpr char kHexDigits[] = "0123456789ABCDEF";

// A value for a failure message; long texts are cut.
inline std::string Show(const Value& value) {
  if (IsEmpty(value)) return "Empty";
  if (const std::int32_t* number = AsInt32(value)) return "integer " + std::to_string(*number);
  if (const std::wstring* text = AsText(value)) {
    std::string shown = "text of " + std::to_string(text->size()) + " characters \"";
    for (std::size_t i = 0; i < text->size() && i < 40; ++i) {
      const wchar_t c = (*text)[i];
      if (c >= 0x20 && c < 0x7F) {
        shown += static_cast<char>(c);
      } else {
        shown += "\\u";
        for (int shift = 12; shift >= 0; shift -= 4) shown += kHexDigits[(c >> shift) & 15];
      }
    }
    return shown + (text->size() > 40 ? "...\"" : "\"");
  }
  return "another kind of value";
}

inline std::string Show(const std::optional<StoredValue>& value) {
  if (!value) return "no value";
  std::string shown = "type " + std::to_string(value->type) + ", " + std::to_string(value->bytes.size()) + " bytes";
  for (std::size_t i = 0; i < value->bytes.size() && i < 16; ++i) {
    const auto byte = static_cast<unsigned char>(value->bytes[i]);
    shown += i ? ' ' : ':';
    shown += kHexDigits[byte >> 4];
    shown += kHexDigits[byte & 15];
  }
  return shown;
}

inline void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
inline void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

inline const std::wstring kValueName = L"Value";
// Query and set value, create and enumerate sub-keys, notify, create link; never full access.
// Written out, not taken from the code under test.
inline constexpr std::uint32_t kExpectedAccess = 0x3F;

class ModRegTest : public ::testing::Test {
 protected:
  void SetUp() override { scratch_ = MakeScratchRegistry(); }
  void TearDown() override { scratch_.reset(); }

  ScratchRegistry& scratch() { return *scratch_; }
  Registry& registry() { return scratch_->registry(); }
  static std::wstring PathOf(const std::wstring& sub = L"") {
    return sub.empty() ? kScratchPath : kScratchPath + L"\\" + sub;
  }

  // What every helper call must leave behind: no handle open, and no open or create that
  // asked for anything but kExpectedAccess.
  class Watch {
   public:
    explicit Watch(ScratchRegistry& scratch)
        : scratch_(scratch), handles_(scratch.OpenHandles()), requests_(scratch.AccessRequested().size()) {}
    void Check() const {
      EXPECT_EQ(scratch_.OpenHandles(), handles_) << "a key handle was left open";
      const std::vector<std::uint32_t> all = scratch_.AccessRequested();
      for (std::size_t i = requests_; i < all.size(); ++i)
        EXPECT_EQ(all[i], kExpectedAccess) << "open or create number " << i - requests_ + 1;
    }

   private:
    ScratchRegistry& scratch_;
    int handles_;
    std::size_t requests_;
  };
  Watch StartWatch() { return Watch(scratch()); }

  // The number of the run-time error the call raises; 0 when it raises none.
  template <class Call>
  static std::int32_t ErrorRaisedBy(Call call) {
    try {
      call();
    } catch (const RuntimeError& error) {
      return error.Number();
    }
    return 0;
  }

  bool HasCodePage1252() { return scratch().AnsiCodePage() == 1252; }

 private:
  std::unique_ptr<ScratchRegistry> scratch_;
};

#define KELVANO_SKIP_UNLESS_CODE_PAGE_1252(needed) \
  if ((needed) && !HasCodePage1252())              \
  GTEST_SKIP() << "needs ANSI code page 1252 to hold \"Caf\\u00E9\"; this one is " << scratch().AnsiCodePage()

// ---- Reading: ReadRegValue and QueryRegValue over each stored form ----

class ModRegReadTest : public ModRegTest, public ::testing::WithParamInterface<ReadCase> {
 protected:
  void Prepare() {
    const ReadCase& c = GetParam();
    scratch().Store(L"", kValueName, c.stored);
    if (c.changedBetweenQueries) scratch().ReplaceAfterNextSizeQuery(L"", kValueName, *c.changedBetweenQueries);
  }
};

TEST_P(ModRegReadTest, ReadRegValueReturnsTheValueOrEmpty) {
  const ReadCase& c = GetParam();
  KELVANO_SKIP_UNLESS_CODE_PAGE_1252(c.needsCodePage1252);
  Prepare();

  const Watch watch = StartWatch();
  const Value value = ReadRegValue(registry(), kHkeyCurrentUser, PathOf(), kValueName);
  watch.Check();

  const Value expected = c.read.value_or(Value{});
  EXPECT_TRUE(value == expected) << "read " << Show(value) << ", expected " << Show(expected);
}

TEST_P(ModRegReadTest, QueryRegValueFillsTheVariantOrLeavesIt) {
  const ReadCase& c = GetParam();
  KELVANO_SKIP_UNLESS_CODE_PAGE_1252(c.needsCodePage1252);
  Prepare();
  const RegistryKey key = scratch().OpenKey(L"", kKeyRead);
  const Value before{L"as it was"};

  Value value = before;
  const Watch watch = StartWatch();
  const RegStatus status = QueryRegValue(registry(), key, kValueName, value);
  watch.Check();

  EXPECT_EQ(status, c.status);
  const Value expected = c.read.value_or(before);
  EXPECT_TRUE(value == expected) << "left " << Show(value) << ", expected " << Show(expected);
  EXPECT_EQ(scratch().Load(L"", kValueName), c.changedBetweenQueries.value_or(c.stored)) << "reading changed the value";
}

INSTANTIATE_TEST_SUITE_P(StoredForms, ModRegReadTest, ::testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Writing: WriteRegValue's stored forms, conversions and errors ----

class ModRegWriteTest : public ModRegTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(ModRegWriteTest, WriteRegValueStoresTheValueOrRaisesBeforeWriting) {
  const WriteCase& c = GetParam();
  KELVANO_SKIP_UNLESS_CODE_PAGE_1252(c.needsCodePage1252);
  const std::wstring sub = c.keyMissing ? L"New\\Deeper" : L"";
  if (!c.keyMissing) scratch().CreateKey(sub);
  if (c.before) scratch().Store(sub, kValueName, *c.before);

  const Watch watch = StartWatch();
  const std::int32_t error = ErrorRaisedBy([&] {
    WriteRegValue(registry(), scratch().automation(), kHkeyCurrentUser, PathOf(sub), kValueName, c.value, c.type);
  });
  watch.Check();

  EXPECT_EQ(error, c.error);
  const std::optional<StoredValue> after = scratch().Load(sub, kValueName);
  EXPECT_EQ(after, c.after) << "stored " << Show(after) << ", expected " << Show(c.after);
  // The key is there even when the value could not be converted: it is created first.
  EXPECT_TRUE(scratch().KeyExists(sub));
}

INSTANTIATE_TEST_SUITE_P(StoredForms, ModRegWriteTest, ::testing::ValuesIn(kWriteCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- SetRegValue's status ----

TEST_F(ModRegTest, SetRegValueReturnsTheRegistryStatus) {
  struct Case {
    const char* what;
    std::optional<std::uint32_t> access;  // how the key is opened; nullopt: no key at all
    std::uint32_t type;
    RegStatus status;
    std::optional<StoredValue> after;
  } const cases[] = {
      {"text", kExpectedAccess, kRegSz, kErrorSuccess, Sz("12\0"s)},
      {"integer", kExpectedAccess, kRegDword, kErrorSuccess, Dword("\x0C\0\0\0"s)},
      {"key opened for reading only", kKeyRead, kRegSz, kErrorAccessDenied, std::nullopt},
      {"no key", std::nullopt, kRegDword, kErrorInvalidHandle, std::nullopt},
      {"another type", kExpectedAccess, kRegBinary, kErrorSuccess, std::nullopt},
  };
  int number = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::wstring sub = L"Case" + std::to_wstring(++number);
    scratch().Store(sub, L"Other", Sz("untouched\0"s));
    const RegistryKey key = c.access ? scratch().OpenKey(sub, *c.access) : 0;

    const Watch watch = StartWatch();
    EXPECT_EQ(SetRegValue(registry(), scratch().automation(), key, kValueName, c.type, Value{L"12"}), c.status);
    watch.Check();

    const std::optional<StoredValue> after = scratch().Load(sub, kValueName);
    EXPECT_EQ(after, c.after) << "stored " << Show(after);
    EXPECT_EQ(scratch().Load(sub, L"Other"), Sz("untouched\0"s));
  }
}

// ---- Keys ----

TEST_F(ModRegTest, RegKeyExistsOpensTheKeyForChangingIt) {
  scratch().CreateKey(L"Present");
  scratch().CreateKey(L"Present\\Child");
  const bool enforced = scratch().MakeReadOnly(L"ReadOnly");
  struct Case {
    const wchar_t* sub;
    bool exists;
  } const cases[] = {
      {L"", true},                                     // the scratch key
      {L"Present", true},  {L"PRESENT\\child", true},  // names are compared without regard to case
      {L"Missing", false}, {L"Present\\Missing", false}, {L"ReadOnly", false},  // every open asks to change it too
  };
  for (const Case& c : cases) {
    if (std::wstring(c.sub) == L"ReadOnly" && !enforced) continue;
    SCOPED_TRACE(testing::Message() << "key " << testing::PrintToString(std::wstring(c.sub)));
    const Watch watch = StartWatch();
    EXPECT_EQ(RegKeyExists(registry(), kHkeyCurrentUser, PathOf(c.sub)), c.exists);
    watch.Check();
  }
  // A test for a missing key creates nothing.
  EXPECT_FALSE(scratch().KeyExists(L"Missing"));
  EXPECT_FALSE(scratch().KeyExists(L"Present\\Missing"));
}

TEST_F(ModRegTest, RegKeyExistsOnAMissingScratchKeyLeavesTheRegistryUntouched) {
  const Watch watch = StartWatch();
  EXPECT_FALSE(RegKeyExists(registry(), kHkeyCurrentUser, PathOf(L"Missing")));
  watch.Check();
  EXPECT_FALSE(scratch().KeyExists(L""));
}

TEST_F(ModRegTest, CreateRegKeyCreatesTheKeyAndItsParents) {
  const Watch watch = StartWatch();
  CreateRegKey(registry(), kHkeyCurrentUser, PathOf(L"New\\Deeper"));
  watch.Check();
  EXPECT_TRUE(scratch().KeyExists(L"New"));
  EXPECT_TRUE(scratch().KeyExists(L"New\\Deeper"));
}

TEST_F(ModRegTest, CreateRegKeyKeepsAnExistingKeyAsItIs) {
  scratch().Store(L"Present", kValueName, Sz("Database\0"s));
  const Watch watch = StartWatch();
  CreateRegKey(registry(), kHkeyCurrentUser, PathOf(L"Present"));
  watch.Check();
  EXPECT_EQ(scratch().Load(L"Present", kValueName), Sz("Database\0"s));
}

TEST_F(ModRegTest, ReadRegValueOfAMissingKeyIsEmptyAndCreatesNothing) {
  const Watch watch = StartWatch();
  EXPECT_TRUE(IsEmpty(ReadRegValue(registry(), kHkeyCurrentUser, PathOf(L"Missing"), kValueName)));
  watch.Check();
  EXPECT_FALSE(scratch().KeyExists(L""));
}

TEST_F(ModRegTest, ReadRegValueOfAMissingValueIsEmpty) {
  scratch().Store(L"", L"Other", Sz("Database\0"s));
  const RegistryKey key = scratch().OpenKey(L"", kKeyRead);
  Value value{L"as it was"};
  const Watch watch = StartWatch();
  EXPECT_TRUE(IsEmpty(ReadRegValue(registry(), kHkeyCurrentUser, PathOf(), kValueName)));
  EXPECT_EQ(QueryRegValue(registry(), key, kValueName, value), kErrorFileNotFound);
  watch.Check();
  EXPECT_TRUE(value == Value{L"as it was"});
}

TEST_F(ModRegTest, AKeyThatCanOnlyBeReadReadsAsEmptyAndIsNotWritten) {
  scratch().Store(L"ReadOnly", kValueName, Sz("Database\0"s));
  if (!scratch().MakeReadOnly(L"ReadOnly")) GTEST_SKIP() << "this registry does not deny writing a key";
  ASSERT_EQ(scratch().Load(L"ReadOnly", kValueName), Sz("Database\0"s)) << "the key can be read";

  const Watch watch = StartWatch();
  EXPECT_TRUE(IsEmpty(ReadRegValue(registry(), kHkeyCurrentUser, PathOf(L"ReadOnly"), kValueName)));
  EXPECT_EQ(ErrorRaisedBy([&] {
              WriteRegValue(registry(), scratch().automation(), kHkeyCurrentUser, PathOf(L"ReadOnly"), kValueName,
                            Value{L"Form View"}, kRegSz);
            }),
            0)
      << "a write that cannot open its key fails silently";
  watch.Check();
  EXPECT_EQ(scratch().Load(L"ReadOnly", kValueName), Sz("Database\0"s));
}

// ---- The registry calls themselves: what the in-memory double copies from the real one ----

TEST_F(ModRegTest, RegistryCallsAnswerAsWindowsDoes) {
  scratch().Store(L"", kValueName, Sz("Database\0"s));
  Registry& r = registry();
  const RegistryKey key = scratch().OpenKey(L"", kKeyRead);
  std::uint32_t type = 0;
  std::uint32_t size = 0;

  RegistryKey missing = 1;
  EXPECT_EQ(r.OpenKeyEx(kHkeyCurrentUser, PathOf(L"Missing"), kExpectedAccess, missing), kErrorFileNotFound);
  EXPECT_EQ(missing, 0);
  EXPECT_EQ(r.QueryValueEx(0, kValueName, type, nullptr, size), kErrorInvalidHandle);
  EXPECT_EQ(r.QueryValueEx(key, L"Other", type, nullptr, size), kErrorFileNotFound);
  EXPECT_EQ(r.SetValueEx(key, L"Other", kRegSz, reinterpret_cast<const std::uint8_t*>("x"), 2), kErrorAccessDenied)
      << "a key opened for reading only";

  // Value names are compared without regard to case; a size query gives type and size.
  EXPECT_EQ(r.QueryValueEx(key, L"VALUE", type, nullptr, size), kErrorSuccess);
  EXPECT_EQ(type, kRegSz);
  EXPECT_EQ(size, 9u);
  // A buffer too small: the size needed comes back.
  std::uint8_t small[4] = {};
  size = sizeof small;
  EXPECT_EQ(r.QueryValueEx(key, kValueName, type, small, size), kErrorMoreData);
  EXPECT_EQ(size, 9u);
  std::uint8_t exact[9] = {};
  size = sizeof exact;
  EXPECT_EQ(r.QueryValueEx(key, kValueName, type, exact, size), kErrorSuccess);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(exact), size), "Database\0"s);

  EXPECT_EQ(r.ToAnsi(L"Form View"), "Form View");
  EXPECT_EQ(r.FromAnsi("Form View"), L"Form View");
}

#undef KELVANO_SKIP_UNLESS_CODE_PAGE_1252

}  // namespace kelvano::registry_cases
