// The registry helpers over the real registry (Win32Registry), against a scratch key under
// HKEY_CURRENT_USER that is deleted before and after each test. The key is prepared and
// inspected with the registry's own 8-bit calls, never through the code under test.
#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <functional>

#include "../registry_cases/mod_reg_case_tests.h"
#include "platform/win32/automation_win32.h"
#include "platform/win32/registry_win32.h"

namespace kelvano::registry_cases {

namespace {

// Owner of an HKEY opened by the tests themselves.
class UniqueHkey {
 public:
  UniqueHkey() noexcept = default;
  UniqueHkey(const UniqueHkey&) = delete;
  UniqueHkey& operator=(const UniqueHkey&) = delete;
  UniqueHkey(UniqueHkey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
  ~UniqueHkey() { reset(); }
  HKEY get() const noexcept { return key_; }
  void reset() noexcept {
    if (HKEY old = std::exchange(key_, nullptr)) RegCloseKey(old);
  }
  HKEY* put() noexcept {
    reset();
    return &key_;
  }

 private:
  HKEY key_ = nullptr;
};

// ASCII names only, so a plain narrowing is the ANSI form.
std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

RegistryKey ToRegistryKey(HKEY key) { return static_cast<RegistryKey>(reinterpret_cast<INT_PTR>(key)); }
bool IsPredefined(RegistryKey key) {
  return key >= static_cast<std::int32_t>(0x80000000u) && key <= static_cast<std::int32_t>(0x80000006u);
}

// The real registry, watched: which access every open asks for, which handles stay open, and
// a change made by someone else right after a size-only query.
class WatchedRegistry : public Registry {
 public:
  std::vector<std::uint32_t> accessRequested;
  std::function<void()> afterNextSizeQuery;
  int OpenHandles() const { return static_cast<int>(open_.size()); }

  std::int32_t CreateKeyEx(RegistryKey root, const std::wstring& path, std::uint32_t access,
                           RegistryKey& key) override {
    accessRequested.push_back(access);
    const std::int32_t status = real_.CreateKeyEx(root, path, access, key);
    return Opened(status, key);
  }
  std::int32_t OpenKeyEx(RegistryKey root, const std::wstring& path, std::uint32_t access, RegistryKey& key) override {
    accessRequested.push_back(access);
    const std::int32_t status = real_.OpenKeyEx(root, path, access, key);
    return Opened(status, key);
  }
  std::int32_t QueryValueEx(RegistryKey key, const std::wstring& valueName, std::uint32_t& type, std::uint8_t* data,
                            std::uint32_t& size) override {
    const std::int32_t status = real_.QueryValueEx(key, valueName, type, data, size);
    if (!data && afterNextSizeQuery) std::exchange(afterNextSizeQuery, nullptr)();
    return status;
  }
  std::int32_t SetValueEx(RegistryKey key, const std::wstring& valueName, std::uint32_t type, const std::uint8_t* data,
                          std::uint32_t size) override {
    return real_.SetValueEx(key, valueName, type, data, size);
  }
  std::int32_t CloseKey(RegistryKey key) override {
    const std::int32_t status = real_.CloseKey(key);
    if (status == ERROR_SUCCESS) std::erase(open_, key);
    return status;
  }
  std::string ToAnsi(const std::wstring& text) override { return real_.ToAnsi(text); }
  std::wstring FromAnsi(const std::string& bytes) override { return real_.FromAnsi(bytes); }

 private:
  std::int32_t Opened(std::int32_t status, RegistryKey key) {
    if (status == ERROR_SUCCESS && !IsPredefined(key)) open_.push_back(key);
    return status;
  }

  win32::Win32Registry real_;
  std::vector<RegistryKey> open_;
};

class Win32ScratchRegistry : public ScratchRegistry {
 public:
  Win32ScratchRegistry() { DeleteScratch(); }
  ~Win32ScratchRegistry() override {
    opened_.clear();
    DeleteScratch();
  }

  Registry& registry() override { return registry_; }
  Automation& automation() override { return automation_; }
  std::uint32_t AnsiCodePage() override { return GetACP(); }

  void CreateKey(const std::wstring& sub) override { Create(sub); }
  void Store(const std::wstring& sub, const std::wstring& name, const StoredValue& value) override {
    UniqueHkey key = Create(sub);
    // RegSetValueExA takes in a NUL that directly follows a REG_SZ's data; a byte that is not
    // NUL there keeps a text without its terminator as it is.
    const std::string data = value.bytes + 'X';
    ASSERT_EQ(RegSetValueExA(key.get(), Narrow(name).c_str(), 0, value.type, reinterpret_cast<const BYTE*>(data.data()),
                             static_cast<DWORD>(value.bytes.size())),
              ERROR_SUCCESS);
  }
  std::optional<StoredValue> Load(const std::wstring& sub, const std::wstring& name) override {
    UniqueHkey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, FullPath(sub).c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
      return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), Narrow(name).c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      return std::nullopt;
    std::string bytes(size + 1, '\0');
    EXPECT_EQ(
        RegQueryValueExA(key.get(), Narrow(name).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &size),
        ERROR_SUCCESS);
    bytes.resize(size);
    return StoredValue{type, bytes};
  }
  bool KeyExists(const std::wstring& sub) override {
    UniqueHkey key;
    return RegOpenKeyExA(HKEY_CURRENT_USER, FullPath(sub).c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
  }
  bool MakeReadOnly(const std::wstring& sub) override {
    Create(sub);
    // Everyone may do anything with the key but set its values.
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(D;;0x2;;;WD)(A;;KA;;;WD)", SDDL_REVISION_1,
                                                              &descriptor, nullptr)) {
      ADD_FAILURE() << "ConvertStringSecurityDescriptorToSecurityDescriptorA failed: " << GetLastError();
      return false;
    }
    UniqueHkey key;
    LONG status = RegOpenKeyExA(HKEY_CURRENT_USER, FullPath(sub).c_str(), 0, WRITE_DAC, key.put());
    if (status == ERROR_SUCCESS) status = RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, descriptor);
    LocalFree(descriptor);
    if (status != ERROR_SUCCESS) {
      ADD_FAILURE() << "RegSetKeySecurity failed: " << status;
      return false;
    }
    UniqueHkey probe;
    const bool readable =
        RegOpenKeyExA(HKEY_CURRENT_USER, FullPath(sub).c_str(), 0, KEY_READ, probe.put()) == ERROR_SUCCESS;
    const bool writable =
        RegOpenKeyExA(HKEY_CURRENT_USER, FullPath(sub).c_str(), 0, KEY_SET_VALUE, probe.put()) == ERROR_SUCCESS;
    EXPECT_TRUE(readable);
    return readable && !writable;
  }
  void ReplaceAfterNextSizeQuery(const std::wstring& sub, const std::wstring& name, const StoredValue& value) override {
    registry_.afterNextSizeQuery = [this, sub, name, value] { Store(sub, name, value); };
  }
  RegistryKey OpenKey(const std::wstring& sub, std::uint32_t access) override {
    UniqueHkey key;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, FullPath(sub).c_str(), 0, access, key.put()), ERROR_SUCCESS);
    const RegistryKey opened = ToRegistryKey(key.get());
    opened_.push_back(std::move(key));
    return opened;
  }

  int OpenHandles() override { return registry_.OpenHandles(); }
  std::vector<std::uint32_t> AccessRequested() override { return registry_.accessRequested; }

 private:
  static std::string FullPath(const std::wstring& sub) {
    return Narrow(sub.empty() ? kScratchPath : kScratchPath + L"\\" + sub);
  }
  static UniqueHkey Create(const std::wstring& sub) {
    UniqueHkey key;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, FullPath(sub).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, key.put(), nullptr),
              ERROR_SUCCESS);
    return key;
  }
  static void DeleteScratch() {
    const LONG status = RegDeleteTreeA(HKEY_CURRENT_USER, FullPath(L"").c_str());
    ASSERT_TRUE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) << "RegDeleteTreeA failed: " << status;
    // The parent goes too when no one else keeps keys in it.
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Kelvano Tests");
  }

  WatchedRegistry registry_;
  win32::Win32Automation automation_;
  std::vector<UniqueHkey> opened_;
};

}  // namespace

std::unique_ptr<ScratchRegistry> MakeScratchRegistry() { return std::make_unique<Win32ScratchRegistry>(); }

}  // namespace kelvano::registry_cases

namespace kelvano {
namespace {

// Keys every Wine prefix has, one below each predefined root. A root that was zero-extended
// instead of sign-extended on 64-bit Windows would be no key at all.
TEST(ModRegRoots, EveryPredefinedRootWorks) {
  win32::Win32Registry registry;
  const struct {
    RegistryRoot root;
    const wchar_t* path;
  } cases[] = {
      {kHkeyClassesRoot, L"CLSID"}, {kHkeyCurrentUser, L"Software"},   {kHkeyLocalMachine, L"Software"},
      {kHkeyUsers, L".Default"},    {kHkeyCurrentConfig, L"Software"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "root " << std::hex << static_cast<std::uint32_t>(c.root));
    EXPECT_TRUE(RegKeyExists(registry, c.root, c.path));
    EXPECT_FALSE(RegKeyExists(registry, c.root, L"Kelvano Tests\\No Such Key"));
  }
  EXPECT_FALSE(RegKeyExists(registry, 0x1234, L"Software")) << "a number that is no root";
}

}  // namespace
}  // namespace kelvano
