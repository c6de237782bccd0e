#include "registry.h"

namespace standin {

UniqueHKey OpenKey(HKEY root, const std::wstring& path, REGSAM access) {
  UniqueHKey key;
  if (RegOpenKeyExW(root, path.c_str(), 0, access, key.put()) != ERROR_SUCCESS) key.reset();
  return key;
}

UniqueHKey CreateKey(HKEY root, const std::wstring& path, REGSAM access) {
  UniqueHKey key;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, key.put(), nullptr) !=
      ERROR_SUCCESS) {
    key.reset();
  }
  return key;
}

bool DeleteKeyTree(HKEY root, const std::wstring& path) {
  const LSTATUS status = RegDeleteTreeW(root, path.c_str());
  if (status == ERROR_FILE_NOT_FOUND) return true;
  if (status != ERROR_SUCCESS) return false;
  // RegDeleteTree empties the key; the key itself goes separately.
  const LSTATUS removed = RegDeleteKeyW(root, path.c_str());
  return removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND;
}

namespace {

// Reads a value of the given type as raw UTF-16 units (without anything after the data).
std::optional<std::wstring> ReadTextData(HKEY key, const wchar_t* name, DWORD wantedType) {
  if (!key) return std::nullopt;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != wantedType) {
    return std::nullopt;
  }
  std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS ||
      type != wantedType) {
    return std::nullopt;
  }
  data.resize(size / sizeof(wchar_t));
  return data;
}

}  // namespace

std::optional<std::wstring> ReadString(HKEY key, const wchar_t* name) {
  auto data = ReadTextData(key, name, REG_SZ);
  if (data) data->resize(wcsnlen(data->c_str(), data->size()));
  return data;
}

std::optional<DWORD> ReadDword(HKEY key, const wchar_t* name) {
  if (!key) return std::nullopt;
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
      type != REG_DWORD) {
    return std::nullopt;
  }
  return value;
}

std::vector<std::wstring> ReadMultiString(HKEY key, const wchar_t* name) {
  std::vector<std::wstring> values;
  const auto data = ReadTextData(key, name, REG_MULTI_SZ);
  if (!data) return values;
  size_t start = 0;
  while (start < data->size()) {
    const size_t end = data->find(L'\0', start);
    const size_t stop = end == std::wstring::npos ? data->size() : end;
    if (stop == start) break;  // the empty string that ends the list
    values.emplace_back(*data, start, stop - start);
    start = stop + 1;
  }
  return values;
}

bool WriteString(HKEY key, const wchar_t* name, const std::wstring& value) {
  const DWORD size = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  return key &&
         RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), size) == ERROR_SUCCESS;
}

bool WriteDword(HKEY key, const wchar_t* name, DWORD value) {
  return key &&
         RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) == ERROR_SUCCESS;
}

bool WriteMultiString(HKEY key, const wchar_t* name, const std::vector<std::wstring>& values) {
  std::wstring data;
  for (const auto& value : values) {
    data += value;
    data += L'\0';
  }
  data += L'\0';
  return key && RegSetValueExW(key, name, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(data.data()),
                               static_cast<DWORD>(data.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
}

DWORD ValueCount(HKEY key) {
  DWORD count = 0;
  if (!key || RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr,
                               nullptr, nullptr) != ERROR_SUCCESS) {
    return 0;
  }
  return count;
}

}  // namespace standin
