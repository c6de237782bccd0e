// What the in-memory registry does beyond the calls the shared registry cases compare with
// the real one: handle bookkeeping, read-only keys, deleted keys, the changing value and the
// code page. Tests of the Office clean-up rely on these.
#include <gtest/gtest.h>

#include "fake_registry.h"

namespace kelvano::doubles {
namespace {

using namespace std::string_literals;

constexpr std::uint32_t kHelperAccess = 0x3F;

TEST(FakeRegistry, CountsHandlesUntilEachIsClosedOnce) {
  FakeRegistry registry;
  RegistryKey created = 0, opened = 0;
  EXPECT_EQ(registry.CreateKeyEx(kHkeyCurrentUser, L"A\\B\\C", kHelperAccess, created), kErrorSuccess);
  EXPECT_EQ(registry.OpenKeyEx(kHkeyCurrentUser, L"a\\b", kKeyRead, opened), kErrorSuccess);
  EXPECT_NE(created, opened);
  EXPECT_EQ(registry.OpenHandles(), 2);

  EXPECT_EQ(registry.CloseKey(created), kErrorSuccess);
  EXPECT_EQ(registry.CloseKey(created), kErrorInvalidHandle);
  EXPECT_EQ(registry.CloseKey(0), kErrorInvalidHandle);
  EXPECT_EQ(registry.CloseKey(kHkeyCurrentUser), kErrorSuccess) << "closing a root is allowed and changes nothing";
  EXPECT_EQ(registry.OpenHandles(), 1);
  EXPECT_EQ(registry.AccessRequested(), (std::vector<std::uint32_t>{kHelperAccess, kKeyRead}));
}

TEST(FakeRegistry, AReadOnlyKeyOpensForReadingOnly) {
  FakeRegistry registry;
  registry.SetValue(kHkeyCurrentUser, L"Locked", L"Value", {kRegSz, "Database\0"s});
  registry.MarkReadOnly(kHkeyCurrentUser, L"Locked");
  RegistryKey key = 1;

  EXPECT_EQ(registry.OpenKeyEx(kHkeyCurrentUser, L"Locked", kHelperAccess, key), kErrorAccessDenied);
  EXPECT_EQ(key, 0);
  EXPECT_EQ(registry.CreateKeyEx(kHkeyCurrentUser, L"Locked", kHelperAccess, key), kErrorAccessDenied);
  EXPECT_EQ(registry.CreateKeyEx(kHkeyCurrentUser, L"Locked\\Child", kKeyRead, key), kErrorAccessDenied)
      << "no new key below it";
  EXPECT_FALSE(registry.KeyExists(kHkeyCurrentUser, L"Locked\\Child"));

  ASSERT_EQ(registry.OpenKeyEx(kHkeyCurrentUser, L"Locked", kKeyRead, key), kErrorSuccess);
  std::uint32_t type = 0, size = 0;
  EXPECT_EQ(registry.QueryValueEx(key, L"Value", type, nullptr, size), kErrorSuccess);
  EXPECT_EQ(registry.SetValueEx(key, L"Value", kRegSz, nullptr, 0), kErrorAccessDenied);
  registry.CloseKey(key);
}

TEST(FakeRegistry, AHandleOnADeletedKeyNoLongerReadsOrWrites) {
  FakeRegistry registry;
  RegistryKey key = 0;
  ASSERT_EQ(registry.CreateKeyEx(kHkeyCurrentUser, L"Gone\\Soon", kHelperAccess, key), kErrorSuccess);
  registry.DeleteTree(kHkeyCurrentUser, L"gone");
  EXPECT_FALSE(registry.KeyExists(kHkeyCurrentUser, L"Gone"));
  std::uint32_t type = 0, size = 0;
  EXPECT_EQ(registry.QueryValueEx(key, L"Value", type, nullptr, size), kErrorKeyDeleted);
  EXPECT_EQ(registry.SetValueEx(key, L"Value", kRegSz, nullptr, 0), kErrorKeyDeleted);
  EXPECT_EQ(registry.CloseKey(key), kErrorSuccess);
}

TEST(FakeRegistry, AValueChangesOnceRightAfterTheNextSizeQuery) {
  FakeRegistry registry;
  registry.SetValue(kHkeyCurrentUser, L"Key", L"Value", {kRegSz, "Data\0"s});
  registry.ReplaceAfterNextSizeQuery(kHkeyCurrentUser, L"KEY", L"value", {kRegSz, "Database\0"s});
  RegistryKey key = 0;
  ASSERT_EQ(registry.OpenKeyEx(kHkeyCurrentUser, L"Key", kKeyRead, key), kErrorSuccess);
  std::uint32_t type = 0, size = 0;

  ASSERT_EQ(registry.QueryValueEx(key, L"Value", type, nullptr, size), kErrorSuccess);
  EXPECT_EQ(size, 5u) << "the size before the change";
  std::uint8_t buffer[5];
  EXPECT_EQ(registry.QueryValueEx(key, L"Value", type, buffer, size), kErrorMoreData);
  EXPECT_EQ(size, 9u);
  for (std::uint8_t byte : buffer) EXPECT_EQ(byte, 0xCD) << "a too-small buffer holds nothing usable";

  registry.SetValue(kHkeyCurrentUser, L"Key", L"Value", {kRegSz, "Data\0"s});
  ASSERT_EQ(registry.QueryValueEx(key, L"Value", type, nullptr, size), kErrorSuccess);
  EXPECT_EQ(registry.Stored(kHkeyCurrentUser, L"Key", L"Value"), (StoredValue{kRegSz, "Data\0"s})) << "only once";
  registry.CloseKey(key);
}

TEST(FakeRegistry, TextCrossesInCodePage1252) {
  FakeRegistry registry;
  EXPECT_EQ(registry.ToAnsi(L"\u20AC Caf\u00E9 \u0101"), "\x80 Caf\xE9 ?")
      << "the euro, Latin-1, and no byte for a-macron";
  EXPECT_EQ(registry.FromAnsi("\x80 Caf\xE9 \x9F"), L"\u20AC Caf\u00E9 \u0178");
}

}  // namespace
}  // namespace kelvano::doubles
