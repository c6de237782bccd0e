// The top-level windows that belong to another process, and their captions.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// Every top-level window owned by a thread of `processId`, hidden ones included.
std::vector<HWND> TopLevelWindowsOf(DWORD processId);

// The window's caption, asked of its owner (WM_GETTEXT is marshalled across processes);
// empty when the owner does not answer within a few seconds.
std::wstring TextOf(HWND window);

// Those of TopLevelWindowsOf(processId) captioned exactly `caption` (read without a message).
std::vector<HWND> TopLevelWindowsCaptioned(DWORD processId, const std::wstring& caption);

}  // namespace e2e
