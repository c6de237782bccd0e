// The Windows registry through its 8-bit (ANSI) calls. Statuses are the calls' own codes
// (0 = success). Paths and value names are converted to the ANSI code page by the platform;
// value data travels as the bytes the registry stores.
#pragma once

#include <cstdint>
#include <string>

namespace kelvano {

// A key handle as an opaque number; 0 is "no key".
using RegistryKey = std::int64_t;

// A predefined root key as the program passes it: a signed 32-bit value (HKEY_CURRENT_USER
// is 0x80000001). Widening it to a RegistryKey sign-extends it, as 64-bit Windows expects.
using RegistryRoot = std::int32_t;

inline constexpr RegistryRoot kHkeyClassesRoot = static_cast<std::int32_t>(0x80000000u);
inline constexpr RegistryRoot kHkeyCurrentUser = static_cast<std::int32_t>(0x80000001u);
inline constexpr RegistryRoot kHkeyLocalMachine = static_cast<std::int32_t>(0x80000002u);
inline constexpr RegistryRoot kHkeyUsers = static_cast<std::int32_t>(0x80000003u);
inline constexpr RegistryRoot kHkeyCurrentConfig = static_cast<std::int32_t>(0x80000005u);

// Value types.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegDwordBigEndian = 5;
inline constexpr std::uint32_t kRegMultiSz = 7;
inline constexpr std::uint32_t kRegQword = 11;

// Access rights on a key.
inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kKeySetValue = 0x0002;
inline constexpr std::uint32_t kKeyCreateSubKey = 0x0004;
inline constexpr std::uint32_t kKeyEnumerateSubKeys = 0x0008;
inline constexpr std::uint32_t kKeyNotify = 0x0010;
inline constexpr std::uint32_t kKeyCreateLink = 0x0020;
inline constexpr std::uint32_t kKeyRead = 0x20019;

// The statuses the calls return most often.
inline constexpr std::int32_t kErrorSuccess = 0;
inline constexpr std::int32_t kErrorFileNotFound = 2;
inline constexpr std::int32_t kErrorAccessDenied = 5;
inline constexpr std::int32_t kErrorInvalidHandle = 6;
inline constexpr std::int32_t kErrorMoreData = 234;

class Registry {
 public:
  virtual ~Registry() = default;

  // RegCreateKeyExA: creates missing keys along the path; key is 0 on failure.
  virtual std::int32_t CreateKeyEx(RegistryKey root, const std::wstring& path, std::uint32_t access,
                                   RegistryKey& key) = 0;
  // RegOpenKeyExA; key is 0 on failure.
  virtual std::int32_t OpenKeyEx(RegistryKey root, const std::wstring& path, std::uint32_t access,
                                 RegistryKey& key) = 0;
  // RegQueryValueExA. data may be null to ask for type and size only; size is in and out, in
  // bytes. When the buffer is too small the status is kErrorMoreData, size is the size needed
  // and the buffer's contents are undefined.
  virtual std::int32_t QueryValueEx(RegistryKey key, const std::wstring& valueName, std::uint32_t& type,
                                    std::uint8_t* data, std::uint32_t& size) = 0;
  // RegSetValueExA: stores size bytes of data. (For a text type, Windows also takes in a NUL
  // that directly follows the data.)
  virtual std::int32_t SetValueEx(RegistryKey key, const std::wstring& valueName, std::uint32_t type,
                                  const std::uint8_t* data, std::uint32_t size) = 0;
  virtual std::int32_t CloseKey(RegistryKey key) = 0;

  // Text to and from the process's ANSI code page, as the 8-bit calls store it.
  virtual std::string ToAnsi(const std::wstring& text) = 0;
  virtual std::wstring FromAnsi(const std::string& bytes) = 0;
};

}  // namespace kelvano
