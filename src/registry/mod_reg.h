// modReg: the program's registry helpers: create a key, test whether one exists, read and
// write a text (REG_SZ) or 32-bit (REG_DWORD) value.
//
// Every helper that takes a root and a path opens what it needs, acts and closes again; no key
// stays open between calls. Every open and create asks for kRegHelperAccess, never for full
// access, so a key the user may read but not write counts as missing.
//
// Failures are silent: they show as a status, as an empty value, or not at all. The one
// exception is the conversion of the value a write is given (to a 32-bit integer for
// REG_DWORD, to text for REG_SZ): WriteRegValue and SetRegValue raise that RuntimeError
// before anything is written.
//
// The registry comes first in every call; only the writes need the automation coercion.
//   if (!RegKeyExists(registry, kHkeyCurrentUser, path)) CreateRegKey(registry, kHkeyCurrentUser, path);
//   WriteRegValue(registry, automation, kHkeyCurrentUser, path, L"ToolBar1", Value{L"Database"}, kRegSz);
//   Value name = ReadRegValue(registry, kHkeyCurrentUser, path, L"ToolBar1");
#pragma once

#include <cstdint>
#include <string>

#include "platform/automation.h"
#include "platform/registry.h"
#include "platform/value.h"

namespace kelvano {

// Query value, set value, create sub-key, enumerate sub-keys, notify, create link.
inline constexpr std::uint32_t kRegHelperAccess = 0x3F;

// 0 for success, the registry call's own error code, or kRegStatusOtherType.
using RegStatus = std::int32_t;
// The value is neither REG_SZ nor REG_DWORD (or changed type while being read).
inline constexpr RegStatus kRegStatusOtherType = -1;

// Creates the key and any missing keys above it; the status is dropped.
void CreateRegKey(Registry& registry, RegistryRoot root, const std::wstring& path);

// True when the key opens with kRegHelperAccess.
bool RegKeyExists(Registry& registry, RegistryRoot root, const std::wstring& path);

// The value as text or as a signed 32-bit integer; Empty when the key or the value is
// missing, has another type, or cannot be read.
Value ReadRegValue(Registry& registry, RegistryRoot root, const std::wstring& path, const std::wstring& valueName);

// Reads a value of an open key into value. REG_SZ gives the text up to its first NUL
// (Empty when the data query fails); REG_DWORD gives the integer, its missing high bytes 0
// when fewer than 4 are stored. Where this returns a failure value is left as it was, except
// for the failed REG_SZ data query. A REG_DWORD of more than 4 bytes does not fit the
// integer: that is kErrorMoreData, value left as it was.
RegStatus QueryRegValue(Registry& registry, RegistryKey key, const std::wstring& valueName, Value& value);

// Opens the key, creating it and its parents when it does not open, and sets the value;
// the status is dropped. Raises a conversion error (see above), after the key was created.
void WriteRegValue(Registry& registry, Automation& automation, RegistryRoot root, const std::wstring& path,
                   const std::wstring& valueName, const Value& value, std::uint32_t type);

// Stores value in an open key: REG_SZ as its text in the ANSI code page with one NUL,
// REG_DWORD as 4 little-endian bytes. Another type writes nothing and returns 0.
RegStatus SetRegValue(Registry& registry, Automation& automation, RegistryKey key, const std::wstring& valueName,
                      std::uint32_t type, const Value& value);

}  // namespace kelvano
