// The run-time error report as the harness sees it: a dialog box (class "#32770") of the
// program under test. Finding it, reading it and pressing its OK button.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

struct ErrorReport {
  std::wstring title;
  std::wstring text;

  // The text split at line breaks ("\r\n" or "\n"), so tests need not care which one a
  // dialog uses: {"Run-time error '13':", "", "Type mismatch"}.
  std::vector<std::wstring> Lines() const;
};

// Visible dialog boxes whose window belongs to a thread of process `processId`.
std::vector<HWND> FindVisibleDialogs(DWORD processId);

// Reads the dialog's caption and its message text (the static control that holds text).
ErrorReport ReadDialog(HWND dialog);

// Presses OK, as a user would; the owning thread closes the box.
void PressOk(HWND dialog);

}  // namespace e2e
