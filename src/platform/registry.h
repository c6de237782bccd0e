// The Windows registry through its 8-bit (ANSI) calls. Statuses are the calls' own codes
// (0 = success). Paths and value names are converted to the ANSI code page by the platform;
// value data travels as the bytes the registry stores.
#pragma once

#include <cstdint>
#include <string>

namespace kelvano {

// A key handle as an opaque number; the predefined roots travel as signed 32-bit values
// (HKEY_CURRENT_USER is 0x80000001). 0 is "no key".
using RegistryKey = std::int64_t;

inline constexpr RegistryKey kHkeyClassesRoot = static_cast<std::int32_t>(0x80000000u);
inline constexpr RegistryKey kHkeyCurrentUser = static_cast<std::int32_t>(0x80000001u);
inline constexpr RegistryKey kHkeyLocalMachine = static_cast<std::int32_t>(0x80000002u);
inline constexpr RegistryKey kHkeyUsers = static_cast<std::int32_t>(0x80000003u);

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;

class Registry {
 public:
  virtual ~Registry() = default;

  virtual std::int32_t CreateKeyEx(RegistryKey root, const std::wstring& path, std::uint32_t access,
                                   RegistryKey& key) = 0;
  virtual std::int32_t OpenKeyEx(RegistryKey root, const std::wstring& path, std::uint32_t access,
                                 RegistryKey& key) = 0;
  // data may be null to ask for type and size only; size is in and out, in bytes.
  virtual std::int32_t QueryValueEx(RegistryKey key, const std::wstring& valueName, std::uint32_t& type,
                                    std::uint8_t* data, std::uint32_t& size) = 0;
  virtual std::int32_t SetValueEx(RegistryKey key, const std::wstring& valueName, std::uint32_t type,
                                  const std::uint8_t* data, std::uint32_t size) = 0;
  virtual std::int32_t CloseKey(RegistryKey key) = 0;

  // Text to and from the process's ANSI code page, as the 8-bit calls store it.
  virtual std::string ToAnsi(const std::wstring& text) = 0;
  virtual std::wstring FromAnsi(const std::string& bytes) = 0;
};

}  // namespace kelvano
