// Registry set-up and inspection for the end-to-end tests, over the plain registry API.
// Reads return std::nullopt when the key or value is missing; other failures throw Win32Error.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// A value as stored: its type and its bytes, so a test can check the stored form
// (terminator present or not, ANSI text, 4-byte integers).
struct RawValue {
  DWORD type = REG_NONE;
  std::vector<std::uint8_t> bytes;
};

bool KeyExists(HKEY root, const std::wstring& subKey);
std::optional<RawValue> ReadRawValue(HKEY root, const std::wstring& subKey, const std::wstring& name);
// REG_SZ / REG_EXPAND_SZ as text, cut at the first terminator if the stored bytes have one.
std::optional<std::wstring> ReadStringValue(HKEY root, const std::wstring& subKey, const std::wstring& name);
std::optional<DWORD> ReadDwordValue(HKEY root, const std::wstring& subKey, const std::wstring& name);

// Creates the key (and its parents) as needed.
void WriteStringValue(HKEY root, const std::wstring& subKey, const std::wstring& name, const std::wstring& text);
void WriteDwordValue(HKEY root, const std::wstring& subKey, const std::wstring& name, DWORD value);
void WriteRawValue(HKEY root, const std::wstring& subKey, const std::wstring& name, const RawValue& value);

// Missing keys and values are not an error: set-up code deletes before it creates.
void DeleteValue(HKEY root, const std::wstring& subKey, const std::wstring& name);
void DeleteKeyTree(HKEY root, const std::wstring& subKey);

}  // namespace e2e
