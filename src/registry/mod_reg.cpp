#include "registry/mod_reg.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "registry/unique_registry_key.h"

namespace kelvano {

namespace {

// The root as a key number: sign-extended, as the predefined handles are on 64-bit Windows.
RegistryKey RootKey(RegistryRoot root) { return static_cast<RegistryKey>(root); }

RegStatus QueryText(Registry& registry, RegistryKey key, const std::wstring& valueName, std::uint32_t size,
                    Value& value) {
  // Never a null buffer, even for 0 bytes: a null buffer would turn this into another size query.
  std::vector<std::uint8_t> buffer(size == 0 ? 1 : size, 0);
  std::uint32_t type = 0;
  std::uint32_t returned = size;
  const RegStatus status = registry.QueryValueEx(key, valueName, type, buffer.data(), returned);
  if (status != kErrorSuccess) {
    value = Empty{};  // includes kErrorMoreData: the value grew, the buffer holds nothing usable
    return status;
  }
  if (type != kRegSz) {
    value = Empty{};
    return kRegStatusOtherType;
  }
  // The value may have shrunk since the size query: only the bytes this query returned count.
  const auto begin = buffer.begin();
  const auto end = begin + std::min(returned, size);
  value = registry.FromAnsi(std::string(begin, std::find(begin, end, std::uint8_t{0})));
  return status;
}

RegStatus QueryDword(Registry& registry, RegistryKey key, const std::wstring& valueName, Value& value) {
  std::uint8_t bytes[4] = {};
  std::uint32_t type = 0;
  std::uint32_t returned = sizeof bytes;
  // Data longer than 4 bytes gives kErrorMoreData here; value then stays as it was.
  const RegStatus status = registry.QueryValueEx(key, valueName, type, bytes, returned);
  if (status != kErrorSuccess) return status;
  if (type != kRegDword) return kRegStatusOtherType;
  // Fewer than 4 bytes stored fill the low bytes; the others stay 0.
  for (std::uint32_t i = returned; i < sizeof bytes; ++i) bytes[i] = 0;
  const std::uint32_t number = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | std::uint32_t{bytes[3]} << 24;
  value = static_cast<std::int32_t>(number);
  return status;
}

}  // namespace

void CreateRegKey(Registry& registry, RegistryRoot root, const std::wstring& path) {
  UniqueRegistryKey key(registry);
  registry.CreateKeyEx(RootKey(root), path, kRegHelperAccess, key.put());
}

bool RegKeyExists(Registry& registry, RegistryRoot root, const std::wstring& path) {
  UniqueRegistryKey key(registry);
  if (registry.OpenKeyEx(RootKey(root), path, kRegHelperAccess, key.put()) != kErrorSuccess) return false;
  return static_cast<bool>(key);
}

Value ReadRegValue(Registry& registry, RegistryRoot root, const std::wstring& path, const std::wstring& valueName) {
  Value value;
  UniqueRegistryKey key(registry);
  // A failed open leaves no key; the query then fails too and the value stays empty.
  registry.OpenKeyEx(RootKey(root), path, kRegHelperAccess, key.put());
  QueryRegValue(registry, key.get(), valueName, value);
  return value;
}

RegStatus QueryRegValue(Registry& registry, RegistryKey key, const std::wstring& valueName, Value& value) {
  RegStatus status = kErrorSuccess;
  // Stored data is not ours to trust: whatever goes wrong reading it (a size too large to
  // allocate, a text the platform cannot convert) ends the read with the last status.
  try {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    status = registry.QueryValueEx(key, valueName, type, nullptr, size);
    if (status != kErrorSuccess) return status;
    switch (type) {
      case kRegSz:
        return status = QueryText(registry, key, valueName, size, value);
      case kRegDword:
        return status = QueryDword(registry, key, valueName, value);
      default:
        return kRegStatusOtherType;
    }
  } catch (const std::exception&) {
    return status;
  }
}

void WriteRegValue(Registry& registry, Automation& automation, RegistryRoot root, const std::wstring& path,
                   const std::wstring& valueName, const Value& value, std::uint32_t type) {
  UniqueRegistryKey key(registry);
  if (registry.OpenKeyEx(RootKey(root), path, kRegHelperAccess, key.put()) != kErrorSuccess) {
    CreateRegKey(registry, root, path);
    registry.OpenKeyEx(RootKey(root), path, kRegHelperAccess, key.put());
  }
  SetRegValue(registry, automation, key.get(), valueName, type, value);
}

RegStatus SetRegValue(Registry& registry, Automation& automation, RegistryKey key, const std::wstring& valueName,
                      std::uint32_t type, const Value& value) {
  if (type == kRegSz) {
    std::string text = registry.ToAnsi(ToText(value));
    text.push_back('\0');
    return registry.SetValueEx(key, valueName, kRegSz, reinterpret_cast<const std::uint8_t*>(text.data()),
                               static_cast<std::uint32_t>(text.size()));
  }
  if (type == kRegDword) {
    const auto number = static_cast<std::uint32_t>(automation.ToInt32(value));
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                                   static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)};
    return registry.SetValueEx(key, valueName, kRegDword, bytes, sizeof bytes);
  }
  return kErrorSuccess;
}

}  // namespace kelvano
