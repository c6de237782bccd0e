// The window that carries the poll-mode watch: a real top-level window, never meant to be seen,
// shown modally with its events handled by the core.
#pragma once

#include <string>

#include "platform/window_system.h"

namespace kelvano::win32 {

// Creates the window hidden, raises Load, displays it, raises Activate, and runs a modal
// message loop until it has closed. Close requests (WM_CLOSE) go to UnloadRequest; Windows
// ending the session is never refused, and WM_ENDSESSION raises EndSession.
// A failure raised by Load or by a handler passes to the caller; the window is destroyed.
void ShowPollWindowModal(const std::wstring& caption, WindowEvents& events);

}  // namespace kelvano::win32
