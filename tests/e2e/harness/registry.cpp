#include "harness/registry.h"

#include "harness/unique_handle.h"
#include "harness/win32_error.h"

#include <cstring>

namespace e2e {
namespace {

unique_hkey OpenKey(HKEY root, const std::wstring& subKey, REGSAM access) {
  unique_hkey key;
  const LSTATUS status = ::RegOpenKeyExW(root, subKey.c_str(), 0, access, key.put());
  if (status == ERROR_FILE_NOT_FOUND) return {};
  CheckRegistry(status, "RegOpenKeyExW");
  return key;
}

unique_hkey CreateKey(HKEY root, const std::wstring& subKey) {
  unique_hkey key;
  CheckRegistry(::RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                                  key.put(), nullptr),
                "RegCreateKeyExW");
  return key;
}

}  // namespace

bool KeyExists(HKEY root, const std::wstring& subKey) { return static_cast<bool>(OpenKey(root, subKey, KEY_READ)); }

std::optional<RawValue> ReadRawValue(HKEY root, const std::wstring& subKey, const std::wstring& name) {
  const unique_hkey key = OpenKey(root, subKey, KEY_QUERY_VALUE);
  if (!key) return std::nullopt;
  RawValue value;
  DWORD size = 0;
  LSTATUS status = ::RegQueryValueExW(key.get(), name.c_str(), nullptr, &value.type, nullptr, &size);
  if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
  CheckRegistry(status, "RegQueryValueExW");
  value.bytes.resize(size);
  status = ::RegQueryValueExW(key.get(), name.c_str(), nullptr, &value.type, value.bytes.data(), &size);
  CheckRegistry(status, "RegQueryValueExW");
  value.bytes.resize(size);
  return value;
}

std::optional<std::wstring> ReadStringValue(HKEY root, const std::wstring& subKey, const std::wstring& name) {
  const auto raw = ReadRawValue(root, subKey, name);
  if (!raw) return std::nullopt;
  if (raw->type != REG_SZ && raw->type != REG_EXPAND_SZ)
    throw Win32Error("ReadStringValue (not text)", ERROR_INVALID_DATATYPE);
  std::wstring text(raw->bytes.size() / sizeof(wchar_t), L'\0');
  if (!text.empty()) std::memcpy(text.data(), raw->bytes.data(), text.size() * sizeof(wchar_t));
  if (const auto end = text.find(L'\0'); end != std::wstring::npos) text.resize(end);
  return text;
}

std::optional<DWORD> ReadDwordValue(HKEY root, const std::wstring& subKey, const std::wstring& name) {
  const auto raw = ReadRawValue(root, subKey, name);
  if (!raw) return std::nullopt;
  if (raw->type != REG_DWORD || raw->bytes.size() != sizeof(DWORD))
    throw Win32Error("ReadDwordValue (not a DWORD)", ERROR_INVALID_DATATYPE);
  DWORD value = 0;
  std::memcpy(&value, raw->bytes.data(), sizeof value);
  return value;
}

void WriteRawValue(HKEY root, const std::wstring& subKey, const std::wstring& name, const RawValue& value) {
  const unique_hkey key = CreateKey(root, subKey);
  CheckRegistry(::RegSetValueExW(key.get(), name.c_str(), 0, value.type, value.bytes.data(),
                                 static_cast<DWORD>(value.bytes.size())),
                "RegSetValueExW");
}

void WriteStringValue(HKEY root, const std::wstring& subKey, const std::wstring& name, const std::wstring& text) {
  RawValue value{REG_SZ, {}};
  const auto* first = reinterpret_cast<const std::uint8_t*>(text.c_str());
  value.bytes.assign(first, first + (text.size() + 1) * sizeof(wchar_t));  // with its terminator
  WriteRawValue(root, subKey, name, value);
}

void WriteDwordValue(HKEY root, const std::wstring& subKey, const std::wstring& name, DWORD dword) {
  RawValue value{REG_DWORD, std::vector<std::uint8_t>(sizeof dword)};
  std::memcpy(value.bytes.data(), &dword, sizeof dword);
  WriteRawValue(root, subKey, name, value);
}

void DeleteValue(HKEY root, const std::wstring& subKey, const std::wstring& name) {
  const unique_hkey key = OpenKey(root, subKey, KEY_SET_VALUE);
  if (!key) return;
  const LSTATUS status = ::RegDeleteValueW(key.get(), name.c_str());
  if (status != ERROR_FILE_NOT_FOUND) CheckRegistry(status, "RegDeleteValueW");
}

void DeleteKeyTree(HKEY root, const std::wstring& subKey) {
  // RegDeleteTreeW would empty the root itself if handed an empty path by mistake.
  if (subKey.empty()) throw Win32Error("DeleteKeyTree (empty key path)", ERROR_INVALID_PARAMETER);
  LSTATUS status = ::RegDeleteTreeW(root, subKey.c_str());
  if (status == ERROR_FILE_NOT_FOUND) return;
  CheckRegistry(status, "RegDeleteTreeW");
  status = ::RegDeleteKeyW(root, subKey.c_str());
  if (status != ERROR_FILE_NOT_FOUND) CheckRegistry(status, "RegDeleteKeyW");
}

}  // namespace e2e
