#include "fake_registry.h"

#include <algorithm>

#include "code_page_1252.h"

namespace kelvano::doubles {

namespace {

constexpr std::uint32_t kAllAccess = 0xF003F;
constexpr std::uint32_t kDelete = 0x10000, kWriteDac = 0x40000, kWriteOwner = 0x80000;
constexpr std::uint32_t kGenericAll = 0x10000000, kGenericWrite = 0x40000000;
constexpr std::uint32_t kChangingRights =
    kKeySetValue | kKeyCreateSubKey | kKeyCreateLink | kDelete | kWriteDac | kWriteOwner | kGenericAll | kGenericWrite;
constexpr std::int32_t kErrorNoAccess = 998;  // a null buffer with a size

bool IsPredefined(RegistryKey key) {
  return key >= static_cast<std::int32_t>(0x80000000u) && key <= static_cast<std::int32_t>(0x80000006u);
}

// Windows compares key and value names without regard to case.
std::wstring Fold(const std::wstring& name) {
  std::wstring folded = name;
  for (wchar_t& c : folded)
    if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) c = static_cast<wchar_t>(c + 0x20);
  return folded;
}

// The non-empty names along a path.
std::vector<std::wstring> Pieces(const std::wstring& path) {
  std::vector<std::wstring> pieces;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find(L'\\', start), path.size());
    if (end > start) pieces.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return pieces;
}

}  // namespace

FakeRegistry::KeyId FakeRegistry::Below(const KeyId& base, const std::wstring& path) {
  KeyId id = base;
  for (const std::wstring& piece : Pieces(path)) {
    if (!id.second.empty()) id.second += L'\\';
    id.second += Fold(piece);
  }
  return id;
}

std::int32_t FakeRegistry::Resolve(RegistryKey key, KeyId& id, std::uint32_t& access) const {
  if (IsPredefined(key)) {
    id = {key, L""};
    access = kAllAccess;
    return kErrorSuccess;
  }
  const auto handle = handles_.find(key);
  if (handle == handles_.end()) return kErrorInvalidHandle;
  id = handle->second.key;
  access = handle->second.access;
  return id.second.empty() || keys_.count(id) ? kErrorSuccess : kErrorKeyDeleted;
}

std::int32_t FakeRegistry::Issue(const KeyId& id, std::uint32_t access, RegistryKey& key) {
  key = nextHandle_;
  nextHandle_ += 4;
  handles_[key] = {id, access};
  return kErrorSuccess;
}

FakeRegistry::Key& FakeRegistry::Ensure(const KeyId& id) {
  for (std::size_t pos = id.second.find(L'\\'); pos != std::wstring::npos; pos = id.second.find(L'\\', pos + 1))
    keys_[{id.first, id.second.substr(0, pos)}];
  return keys_[id];
}

std::int32_t FakeRegistry::CreateKeyEx(RegistryKey root, const std::wstring& path, std::uint32_t access,
                                       RegistryKey& key) {
  key = 0;
  accessRequested_.push_back(access);
  KeyId base;
  std::uint32_t baseAccess = 0;
  if (const std::int32_t status = Resolve(root, base, baseAccess)) return status;
  // Walk down from the base, creating each missing key if its parent may be changed.
  KeyId target = base;
  for (const std::wstring& piece : Pieces(path)) {
    const KeyId parent = target;
    target = Below(parent, piece);
    if (keys_.count(target)) continue;
    const auto found = keys_.find(parent);
    if (found != keys_.end() && found->second.readOnly) return kErrorAccessDenied;
    keys_[target];
  }
  const auto found = keys_.find(target);
  if (found != keys_.end() && found->second.readOnly && (access & kChangingRights)) return kErrorAccessDenied;
  return Issue(target, access, key);
}

std::int32_t FakeRegistry::OpenKeyEx(RegistryKey root, const std::wstring& path, std::uint32_t access,
                                     RegistryKey& key) {
  key = 0;
  accessRequested_.push_back(access);
  KeyId base;
  std::uint32_t baseAccess = 0;
  if (const std::int32_t status = Resolve(root, base, baseAccess)) return status;
  const KeyId target = Below(base, path);
  if (target.second.empty()) return Issue(target, access, key);  // a new handle to a root
  const auto found = keys_.find(target);
  if (found == keys_.end()) return kErrorFileNotFound;
  if (found->second.readOnly && (access & kChangingRights)) return kErrorAccessDenied;
  return Issue(target, access, key);
}

std::int32_t FakeRegistry::QueryValueEx(RegistryKey key, const std::wstring& valueName, std::uint32_t& type,
                                        std::uint8_t* data, std::uint32_t& size) {
  KeyId id;
  std::uint32_t access = 0;
  if (const std::int32_t status = Resolve(key, id, access)) return status;
  if (!(access & kKeyQueryValue)) return kErrorAccessDenied;
  const auto found = keys_.find(id);
  if (found == keys_.end()) return kErrorFileNotFound;
  const std::wstring name = Fold(valueName);
  const auto value = found->second.values.find(name);
  if (value == found->second.values.end()) return kErrorFileNotFound;

  type = value->second.type;
  const auto needed = static_cast<std::uint32_t>(value->second.bytes.size());
  if (!data) {
    size = needed;
    if (replacement_ && replacement_->key == id && replacement_->valueName == name) {
      value->second = replacement_->value;
      replacement_.reset();
    }
    return kErrorSuccess;
  }
  if (size < needed) {
    std::fill(data, data + size, std::uint8_t{0xCD});
    size = needed;
    return kErrorMoreData;
  }
  std::copy(value->second.bytes.begin(), value->second.bytes.end(), data);
  size = needed;
  return kErrorSuccess;
}

std::int32_t FakeRegistry::SetValueEx(RegistryKey key, const std::wstring& valueName, std::uint32_t type,
                                      const std::uint8_t* data, std::uint32_t size) {
  KeyId id;
  std::uint32_t access = 0;
  if (const std::int32_t status = Resolve(key, id, access)) return status;
  if (!(access & kKeySetValue)) return kErrorAccessDenied;
  if (!data && size) return kErrorNoAccess;
  Ensure(id).values[Fold(valueName)] = {type, std::string(data, data + size)};
  return kErrorSuccess;
}

std::int32_t FakeRegistry::CloseKey(RegistryKey key) {
  if (handles_.erase(key) || IsPredefined(key)) return kErrorSuccess;
  return kErrorInvalidHandle;
}

std::string FakeRegistry::ToAnsi(const std::wstring& text) { return ToCodePage1252(text); }
std::wstring FakeRegistry::FromAnsi(const std::string& bytes) { return FromCodePage1252(bytes); }

void FakeRegistry::CreateKey(RegistryRoot root, const std::wstring& path) { Ensure(Below({root, L""}, path)); }

void FakeRegistry::SetValue(RegistryRoot root, const std::wstring& path, const std::wstring& valueName,
                            StoredValue value) {
  Ensure(Below({root, L""}, path)).values[Fold(valueName)] = std::move(value);
}

void FakeRegistry::DeleteTree(RegistryRoot root, const std::wstring& path) {
  const KeyId top = Below({root, L""}, path);
  const std::wstring below = top.second.empty() ? L"" : top.second + L'\\';
  std::erase_if(keys_, [&](const auto& entry) {
    const KeyId& id = entry.first;
    return id.first == top.first && (id == top || id.second.compare(0, below.size(), below) == 0);
  });
}

void FakeRegistry::MarkReadOnly(RegistryRoot root, const std::wstring& path) {
  Ensure(Below({root, L""}, path)).readOnly = true;
}

void FakeRegistry::ReplaceAfterNextSizeQuery(RegistryRoot root, const std::wstring& path, const std::wstring& valueName,
                                             StoredValue replacement) {
  replacement_ = Replacement{Below({root, L""}, path), Fold(valueName), std::move(replacement)};
}

bool FakeRegistry::KeyExists(RegistryRoot root, const std::wstring& path) const {
  const KeyId id = Below({root, L""}, path);
  return id.second.empty() || keys_.count(id);
}

std::optional<StoredValue> FakeRegistry::Stored(RegistryRoot root, const std::wstring& path,
                                                const std::wstring& valueName) const {
  const auto key = keys_.find(Below({root, L""}, path));
  if (key == keys_.end()) return std::nullopt;
  const auto value = key->second.values.find(Fold(valueName));
  if (value == key->second.values.end()) return std::nullopt;
  return value->second;
}

}  // namespace kelvano::doubles
