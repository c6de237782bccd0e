// Small registry helpers shared by the stand-in DLLs, the control library and standinctl.
// None of them throws: a failed open yields a null key, a failed read an empty optional,
// a failed write false. Callers that must not fail silently check the result.
#pragma once

#include "unique_handles.h"

#include <optional>
#include <string>
#include <vector>

namespace standin {

UniqueHKey OpenKey(HKEY root, const std::wstring& path, REGSAM access = KEY_READ);
// Creates missing keys along the path.
UniqueHKey CreateKey(HKEY root, const std::wstring& path, REGSAM access = KEY_READ | KEY_WRITE);
bool DeleteKeyTree(HKEY root, const std::wstring& path);  // true also when it was not there

std::optional<std::wstring> ReadString(HKEY key, const wchar_t* name);
std::optional<DWORD> ReadDword(HKEY key, const wchar_t* name);
std::vector<std::wstring> ReadMultiString(HKEY key, const wchar_t* name);  // empty when missing

bool WriteString(HKEY key, const wchar_t* name, const std::wstring& value);
bool WriteDword(HKEY key, const wchar_t* name, DWORD value);
// Entries must not be empty (an empty string ends a REG_MULTI_SZ).
bool WriteMultiString(HKEY key, const wchar_t* name, const std::vector<std::wstring>& values);

DWORD ValueCount(HKEY key);

}  // namespace standin
