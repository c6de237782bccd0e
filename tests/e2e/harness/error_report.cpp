#include "harness/error_report.h"

#include <iterator>

#include "harness/process_windows.h"

namespace e2e {
namespace {

// The message text of a standard message box lives in the static control with this id.
constexpr int kMessageBoxTextId = 0xFFFF;

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return name;
}

BOOL CALLBACK FindTextStatic(HWND child, LPARAM param) {
  auto& result = *reinterpret_cast<HWND*>(param);
  if (ClassOf(child) == L"Static" && !TextOf(child).empty()) {
    result = child;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::vector<std::wstring> ErrorReport::Lines() const {
  std::vector<std::wstring> lines;
  std::wstring::size_type start = 0;
  for (;;) {
    const auto end = text.find(L'\n', start);
    std::wstring line = text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    lines.push_back(std::move(line));
    if (end == std::wstring::npos) return lines;
    start = end + 1;
  }
}

std::vector<HWND> FindVisibleDialogs(DWORD processId) {
  std::vector<HWND> dialogs;
  for (HWND window : TopLevelWindowsOf(processId)) {
    if (::IsWindowVisible(window) && ClassOf(window) == L"#32770") dialogs.push_back(window);
  }
  return dialogs;
}

ErrorReport ReadDialog(HWND dialog) {
  HWND textControl = ::GetDlgItem(dialog, kMessageBoxTextId);
  if (!textControl) ::EnumChildWindows(dialog, FindTextStatic, reinterpret_cast<LPARAM>(&textControl));
  return ErrorReport{TextOf(dialog), textControl ? TextOf(textControl) : std::wstring()};
}

void PressOk(HWND dialog) {
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
}

}  // namespace e2e
