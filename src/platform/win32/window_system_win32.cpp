#include "platform/win32/window_system_win32.h"

#include "platform/win32/poll_window_win32.h"
#include "platform/win32/window_handle.h"

namespace kelvano::win32 {

WindowHandle Win32WindowSystem::DesktopWindow() { return FromHwnd(GetDesktopWindow()); }

bool Win32WindowSystem::IsWindow(WindowHandle window) { return ::IsWindow(ToHwnd(window)) != FALSE; }

double Win32WindowSystem::SecondsSinceMidnight() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0;
}

void Win32WindowSystem::ProcessPendingMessages() { queue_.ProcessPending(); }

void Win32WindowSystem::WaitForMessage(double timeoutSeconds) { queue_.WaitForInput(timeoutSeconds); }

void Win32WindowSystem::ShowModal(const std::wstring& caption, WindowEvents& events) {
  ShowPollWindowModal(caption, events);
}

}  // namespace kelvano::win32
