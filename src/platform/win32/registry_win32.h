// The registry's 8-bit calls: RegCreateKeyExA, RegOpenKeyExA, RegQueryValueExA,
// RegSetValueExA, RegCloseKey.
#pragma once

#include "platform/registry.h"

namespace kelvano::win32 {

class Win32Registry : public Registry {
 public:
  std::int32_t CreateKeyEx(RegistryKey root, const std::wstring& path, std::uint32_t access, RegistryKey& key) override;
  std::int32_t OpenKeyEx(RegistryKey root, const std::wstring& path, std::uint32_t access, RegistryKey& key) override;
  std::int32_t QueryValueEx(RegistryKey key, const std::wstring& valueName, std::uint32_t& type, std::uint8_t* data,
                            std::uint32_t& size) override;
  std::int32_t SetValueEx(RegistryKey key, const std::wstring& valueName, std::uint32_t type, const std::uint8_t* data,
                          std::uint32_t size) override;
  std::int32_t CloseKey(RegistryKey key) override;
  std::string ToAnsi(const std::wstring& text) override;
  std::wstring FromAnsi(const std::string& bytes) override;
};

}  // namespace kelvano::win32
