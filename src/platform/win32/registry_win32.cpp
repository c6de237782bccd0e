#include "platform/win32/registry_win32.h"

#include <windows.h>

#include "platform/win32/ansi_text.h"

namespace kelvano::win32 {

namespace {

// Predefined roots travel as sign-extended 32-bit values, as HKEYs do on 64-bit Windows.
HKEY ToHkey(RegistryKey key) { return reinterpret_cast<HKEY>(static_cast<INT_PTR>(key)); }
RegistryKey FromHkey(HKEY key) { return static_cast<RegistryKey>(reinterpret_cast<INT_PTR>(key)); }

}  // namespace

std::int32_t Win32Registry::CreateKeyEx(RegistryKey root, const std::wstring& path, std::uint32_t access,
                                        RegistryKey& key) {
  HKEY created = nullptr;
  const LONG status = RegCreateKeyExA(ToHkey(root), win32::ToAnsi(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      access, nullptr, &created, nullptr);
  key = status == ERROR_SUCCESS ? FromHkey(created) : 0;
  return status;
}

std::int32_t Win32Registry::OpenKeyEx(RegistryKey root, const std::wstring& path, std::uint32_t access,
                                      RegistryKey& key) {
  HKEY opened = nullptr;
  const LONG status = RegOpenKeyExA(ToHkey(root), win32::ToAnsi(path).c_str(), 0, access, &opened);
  key = status == ERROR_SUCCESS ? FromHkey(opened) : 0;
  return status;
}

std::int32_t Win32Registry::QueryValueEx(RegistryKey key, const std::wstring& valueName, std::uint32_t& type,
                                         std::uint8_t* data, std::uint32_t& size) {
  DWORD storedType = 0;
  DWORD storedSize = size;
  const LONG status =
      RegQueryValueExA(ToHkey(key), win32::ToAnsi(valueName).c_str(), nullptr, &storedType, data, &storedSize);
  type = storedType;
  size = storedSize;
  return status;
}

std::int32_t Win32Registry::SetValueEx(RegistryKey key, const std::wstring& valueName, std::uint32_t type,
                                       const std::uint8_t* data, std::uint32_t size) {
  return RegSetValueExA(ToHkey(key), win32::ToAnsi(valueName).c_str(), 0, type, data, size);
}

std::int32_t Win32Registry::CloseKey(RegistryKey key) { return RegCloseKey(ToHkey(key)); }

std::string Win32Registry::ToAnsi(const std::wstring& text) { return win32::ToAnsi(text); }
std::wstring Win32Registry::FromAnsi(const std::string& bytes) { return win32::FromAnsi(bytes); }

}  // namespace kelvano::win32
