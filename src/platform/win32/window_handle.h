// Window handles travel as signed 32-bit integers; HWNDs are sign-extended on 64-bit Windows.
#pragma once

#include <windows.h>

#include "platform/window_system.h"

namespace kelvano::win32 {

inline HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(static_cast<INT_PTR>(window)); }
inline WindowHandle FromHwnd(HWND window) { return static_cast<WindowHandle>(reinterpret_cast<INT_PTR>(window)); }

}  // namespace kelvano::win32
