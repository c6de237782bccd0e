// The registry helpers over the in-memory registry: the shared cases, plus what only the
// double can show (every predefined root, stored data the real registry would not keep).
#include <gtest/gtest.h>

#include <algorithm>

#include "../registry_cases/mod_reg_case_tests.h"
#include "fake_automation.h"
#include "fake_registry.h"

namespace kelvano::registry_cases {

namespace {

doubles::StoredValue ToFake(const StoredValue& value) { return {value.type, value.bytes}; }

class FakeScratchRegistry : public ScratchRegistry {
 public:
  ~FakeScratchRegistry() override {
    for (RegistryKey key : opened_) registry_.CloseKey(key);
  }

  Registry& registry() override { return registry_; }
  Automation& automation() override { return automation_; }
  std::uint32_t AnsiCodePage() override { return 1252; }

  void CreateKey(const std::wstring& sub) override { registry_.CreateKey(kHkeyCurrentUser, PathOf(sub)); }
  void Store(const std::wstring& sub, const std::wstring& name, const StoredValue& value) override {
    registry_.SetValue(kHkeyCurrentUser, PathOf(sub), name, ToFake(value));
  }
  std::optional<StoredValue> Load(const std::wstring& sub, const std::wstring& name) override {
    const auto stored = registry_.Stored(kHkeyCurrentUser, PathOf(sub), name);
    if (!stored) return std::nullopt;
    return StoredValue{stored->type, stored->bytes};
  }
  bool KeyExists(const std::wstring& sub) override { return registry_.KeyExists(kHkeyCurrentUser, PathOf(sub)); }
  bool MakeReadOnly(const std::wstring& sub) override {
    registry_.MarkReadOnly(kHkeyCurrentUser, PathOf(sub));
    return true;
  }
  void ReplaceAfterNextSizeQuery(const std::wstring& sub, const std::wstring& name, const StoredValue& value) override {
    registry_.ReplaceAfterNextSizeQuery(kHkeyCurrentUser, PathOf(sub), name, ToFake(value));
  }
  RegistryKey OpenKey(const std::wstring& sub, std::uint32_t access) override {
    RegistryKey key = 0;
    ownRequests_.push_back(registry_.AccessRequested().size());
    EXPECT_EQ(registry_.OpenKeyEx(kHkeyCurrentUser, PathOf(sub), access, key), kErrorSuccess);
    if (key) opened_.push_back(key);
    return key;
  }

  int OpenHandles() override { return registry_.OpenHandles() - static_cast<int>(opened_.size()); }
  std::vector<std::uint32_t> AccessRequested() override {
    std::vector<std::uint32_t> requests;
    const auto& all = registry_.AccessRequested();
    for (std::size_t i = 0; i < all.size(); ++i)
      if (std::find(ownRequests_.begin(), ownRequests_.end(), i) == ownRequests_.end()) requests.push_back(all[i]);
    return requests;
  }

 private:
  static std::wstring PathOf(const std::wstring& sub) {
    return sub.empty() ? kScratchPath : kScratchPath + L"\\" + sub;
  }

  doubles::FakeRegistry registry_;
  doubles::FakeAutomation automation_;
  std::vector<RegistryKey> opened_;
  std::vector<std::size_t> ownRequests_;
};

}  // namespace

std::unique_ptr<ScratchRegistry> MakeScratchRegistry() { return std::make_unique<FakeScratchRegistry>(); }

}  // namespace kelvano::registry_cases

namespace kelvano {
namespace {

using doubles::FakeRegistry;
using doubles::StoredValue;
using namespace std::string_literals;

TEST(ModRegRoots, EveryPredefinedRootIsPassedOnSignExtended) {
  for (const RegistryRoot root :
       {kHkeyClassesRoot, kHkeyCurrentUser, kHkeyLocalMachine, kHkeyUsers, kHkeyCurrentConfig}) {
    SCOPED_TRACE(testing::Message() << "root " << std::hex << static_cast<std::uint32_t>(root));
    FakeRegistry registry;
    doubles::FakeAutomation automation;
    registry.SetValue(root, L"Kelvano", L"Text", {kRegSz, "Database\0"s});

    EXPECT_TRUE(RegKeyExists(registry, root, L"Kelvano"));
    EXPECT_TRUE(ReadRegValue(registry, root, L"Kelvano", L"Text") == Value{L"Database"});
    WriteRegValue(registry, automation, root, L"Kelvano\\New", L"Number", Value{7}, kRegDword);
    EXPECT_EQ(registry.Stored(root, L"Kelvano\\New", L"Number"), (StoredValue{kRegDword, "\x07\0\0\0"s}));
    // Another root does not see the keys.
    const RegistryRoot other = root == kHkeyCurrentUser ? kHkeyLocalMachine : kHkeyCurrentUser;
    EXPECT_FALSE(registry.KeyExists(other, L"Kelvano"));
    EXPECT_EQ(registry.OpenHandles(), 0);
  }
}

TEST(ModRegRoots, ARootThatIsNoKeyFindsNothingAndCreatesNothing) {
  FakeRegistry registry;
  doubles::FakeAutomation automation;
  const RegistryRoot notARoot = 0x1234;
  EXPECT_FALSE(RegKeyExists(registry, notARoot, L"Kelvano"));
  CreateRegKey(registry, notARoot, L"Kelvano");
  WriteRegValue(registry, automation, notARoot, L"Kelvano", L"Text", Value{L"Database"}, kRegSz);
  EXPECT_TRUE(IsEmpty(ReadRegValue(registry, notARoot, L"Kelvano", L"Text")));
  EXPECT_EQ(registry.OpenHandles(), 0);
}

TEST(ModRegHostileData, AValueWithNoTextFormIsAConversionErrorBeforeWriting) {
  FakeRegistry registry;
  doubles::FakeAutomation automation;
  for (const Value& value : {Value{Missing{}}, Value{ObjectRef{}}}) {
    for (const std::uint32_t type : {kRegSz, kRegDword}) {
      try {
        WriteRegValue(registry, automation, kHkeyCurrentUser, L"Kelvano", L"Value", value, type);
        ADD_FAILURE() << "no error for type " << type;
      } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), errors::kTypeMismatch);
      }
      EXPECT_FALSE(registry.Stored(kHkeyCurrentUser, L"Kelvano", L"Value"));
      EXPECT_EQ(registry.OpenHandles(), 0);
    }
  }
}

}  // namespace
}  // namespace kelvano
