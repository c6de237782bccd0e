#include "harness/process_windows.h"

namespace e2e {
namespace {

constexpr UINT kSendTimeoutMs = 5000;

struct Search {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner == search.processId) search.found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
  Search search{processId, {}};
  ::EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             kSendTimeoutMs, &copied))
    return {};
  text.resize(copied);
  return text;
}

std::vector<HWND> TopLevelWindowsCaptioned(DWORD processId, const std::wstring& caption) {
  std::vector<HWND> matching;
  for (HWND window : TopLevelWindowsOf(processId)) {
    // GetWindowText reads another process's caption without a message, so a busy owner
    // does not hold the search up.
    wchar_t text[64] = {};
    ::GetWindowTextW(window, text, 64);
    if (text == caption) matching.push_back(window);
  }
  return matching;
}

}  // namespace e2e
