// Any stored registry value (any type, any bytes, any size) through the value decoding:
// ReadRegValue and QueryRegValue must give Empty, a text without NUL, or an integer, with
// the status the decoding documents, and close every key they open.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fake_registry.h"
#include "platform/value.h"
#include "registry/mod_reg.h"
#include "registry/unique_registry_key.h"

namespace {
const std::wstring kPath = L"Software\\Kelvano Fuzz";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvano;
  if (size < 2) return 0;
  // First byte: the stored type (small numbers cover every real one); second: whether the
  // value changes between the size query and the data query; the rest: the stored bytes,
  // split in two halves when it changes.
  const std::uint32_t type = data[0] % 16;
  const bool changes = data[1] & 1;
  const std::string bytes(reinterpret_cast<const char*>(data + 2), size - 2);

  doubles::FakeRegistry registry;
  doubles::StoredValue stored{type, changes ? bytes.substr(0, bytes.size() / 2) : bytes};
  registry.SetValue(kHkeyCurrentUser, kPath, L"v", stored);
  if (changes)
    registry.ReplaceAfterNextSizeQuery(kHkeyCurrentUser, kPath, L"v", {type, bytes.substr(bytes.size() / 2)});

  const Value read = ReadRegValue(registry, kHkeyCurrentUser, kPath, L"v");
  if (const std::wstring* text = AsText(read)) {
    if (text->find(L'\0') != std::wstring::npos) std::abort();
  } else if (!IsEmpty(read) && !AsInt32(read)) {
    std::abort();
  }
  if (!changes && type != kRegSz && type != kRegDword && !IsEmpty(read)) std::abort();

  if (changes)
    registry.ReplaceAfterNextSizeQuery(kHkeyCurrentUser, kPath, L"v", {type, bytes.substr(bytes.size() / 2)});
  registry.SetValue(kHkeyCurrentUser, kPath, L"v", stored);
  Value value = std::int32_t{7};
  RegStatus status = 0;
  {
    UniqueRegistryKey key(registry);
    registry.OpenKeyEx(kHkeyCurrentUser, kPath, kRegHelperAccess, key.put());
    status = QueryRegValue(registry, key.get(), L"v", value);
  }
  if (!changes && type != kRegSz && type != kRegDword &&
      (status != kRegStatusOtherType || value != Value{std::int32_t{7}}))
    std::abort();
  if (registry.OpenHandles() != 0) std::abort();
  return 0;
}
