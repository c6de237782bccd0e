// A scratch key under HKEY_CURRENT_USER that the registry helpers' tests prepare and inspect
// through the plain registry, never through the helpers under test. The native tests back it
// with the in-memory FakeRegistry, the Windows tests with the real registry; the cases in
// registry_cases.h run unchanged against both.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/automation.h"
#include "platform/registry.h"

namespace kelvano::registry_cases {

// A value as the registry keeps it.
struct StoredValue {
  std::uint32_t type = kRegNone;
  std::string bytes;
  bool operator==(const StoredValue&) const = default;
};

// Below HKEY_CURRENT_USER; missing when a test starts, deleted when it ends.
inline const std::wstring kScratchPath = L"Software\\Kelvano Tests\\Registry";

class ScratchRegistry {
 public:
  virtual ~ScratchRegistry() = default;

  // What the helpers under test are given.
  virtual Registry& registry() = 0;
  virtual Automation& automation() = 0;
  virtual std::uint32_t AnsiCodePage() = 0;

  // Keys are named relative to the scratch key ("" is the scratch key itself); names are ASCII.
  virtual void CreateKey(const std::wstring& sub) = 0;
  // Stores exactly these bytes (a REG_SZ without its NUL stays without it); creates the key.
  virtual void Store(const std::wstring& sub, const std::wstring& name, const StoredValue& value) = 0;
  virtual std::optional<StoredValue> Load(const std::wstring& sub, const std::wstring& name) = 0;
  virtual bool KeyExists(const std::wstring& sub) = 0;
  // From now on the key (created if missing) can be read but not written. False when the
  // platform does not enforce that.
  virtual bool MakeReadOnly(const std::wstring& sub) = 0;
  // Someone else rewrites the value right after the next size-only query made through registry().
  virtual void ReplaceAfterNextSizeQuery(const std::wstring& sub, const std::wstring& name,
                                         const StoredValue& value) = 0;
  // A key handle for the helpers that take an open key; closed with the scratch.
  virtual RegistryKey OpenKey(const std::wstring& sub, std::uint32_t access) = 0;

  // Handles opened through registry() and not closed (OpenKey's not counted).
  virtual int OpenHandles() = 0;
  // The access mask of every open and create made through registry(), in order.
  virtual std::vector<std::uint32_t> AccessRequested() = 0;
};

// Defined once by each test executable.
std::unique_ptr<ScratchRegistry> MakeScratchRegistry();

}  // namespace kelvano::registry_cases
