#include "platform/win32/window_system_win32.h"

#include "platform/win32/window_handle.h"

namespace kelvano::win32 {

WindowHandle Win32WindowSystem::DesktopWindow() { return FromHwnd(GetDesktopWindow()); }

bool Win32WindowSystem::IsWindow(WindowHandle window) { return ::IsWindow(ToHwnd(window)) != FALSE; }

}  // namespace kelvano::win32
