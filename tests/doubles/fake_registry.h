// An in-memory registry that behaves like the Windows one as the program sees it through the
// 8-bit calls: keys and value names compared without regard to case, missing parents created
// by CreateKeyEx, handles with the access they were opened for, values kept as typed bytes,
// Windows' status codes, and code page 1252 as the ANSI code page.
//
// Beside the registry calls it has set-up and inspection methods that tests use instead of
// the code under test, a count of open handles, and the access masks every open asked for.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace kelvano::doubles {

struct StoredValue {
  std::uint32_t type = kRegNone;
  std::string bytes;
  bool operator==(const StoredValue&) const = default;
};

// A key with a handle open on it that someone deleted.
inline constexpr std::int32_t kErrorKeyDeleted = 1018;

class FakeRegistry : public Registry {
 public:
  std::int32_t CreateKeyEx(RegistryKey root, const std::wstring& path, std::uint32_t access, RegistryKey& key) override;
  std::int32_t OpenKeyEx(RegistryKey root, const std::wstring& path, std::uint32_t access, RegistryKey& key) override;
  // A too-small buffer is filled with 0xCD bytes, standing for Windows' "undefined contents".
  std::int32_t QueryValueEx(RegistryKey key, const std::wstring& valueName, std::uint32_t& type, std::uint8_t* data,
                            std::uint32_t& size) override;
  std::int32_t SetValueEx(RegistryKey key, const std::wstring& valueName, std::uint32_t type, const std::uint8_t* data,
                          std::uint32_t size) override;
  std::int32_t CloseKey(RegistryKey key) override;
  std::string ToAnsi(const std::wstring& text) override;
  std::wstring FromAnsi(const std::string& bytes) override;

  // Set-up, below one of the predefined roots. Each creates the keys it needs.
  void CreateKey(RegistryRoot root, const std::wstring& path);
  void SetValue(RegistryRoot root, const std::wstring& path, const std::wstring& valueName, StoredValue value);
  void DeleteTree(RegistryRoot root, const std::wstring& path);
  // The key can still be opened for reading, but an open or create asking for any right to
  // change it (set value, create sub-key, create link, delete, write DAC or owner) is denied.
  void MarkReadOnly(RegistryRoot root, const std::wstring& path);
  // Someone else rewrites the value right after the next size-only query of it, as between
  // the two reads of a value that changes size.
  void ReplaceAfterNextSizeQuery(RegistryRoot root, const std::wstring& path, const std::wstring& valueName,
                                 StoredValue replacement);

  // Inspection.
  bool KeyExists(RegistryRoot root, const std::wstring& path) const;
  std::optional<StoredValue> Stored(RegistryRoot root, const std::wstring& path, const std::wstring& valueName) const;
  int OpenHandles() const { return static_cast<int>(handles_.size()); }
  // The access mask of every CreateKeyEx and OpenKeyEx, in order.
  const std::vector<std::uint32_t>& AccessRequested() const { return accessRequested_; }

 private:
  // A key by its predefined root and its path, folded to one letter case.
  using KeyId = std::pair<RegistryKey, std::wstring>;
  struct Key {
    bool readOnly = false;
    std::map<std::wstring, StoredValue> values;  // by folded name
  };
  struct Handle {
    KeyId key;
    std::uint32_t access;
  };
  struct Replacement {
    KeyId key;
    std::wstring valueName;  // folded
    StoredValue value;
  };

  static KeyId Below(const KeyId& base, const std::wstring& path);
  // The key a handle or a predefined root stands for, or a status.
  std::int32_t Resolve(RegistryKey key, KeyId& id, std::uint32_t& access) const;
  std::int32_t Issue(const KeyId& id, std::uint32_t access, RegistryKey& key);
  Key& Ensure(const KeyId& id);

  std::map<KeyId, Key> keys_;
  std::map<RegistryKey, Handle> handles_;
  RegistryKey nextHandle_ = 0x1000;
  std::vector<std::uint32_t> accessRequested_;
  std::optional<Replacement> replacement_;
};

}  // namespace kelvano::doubles
