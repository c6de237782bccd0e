// Window services on user32.
#pragma once

#include "platform/window_system.h"

namespace kelvano::win32 {

class Win32WindowSystem : public WindowSystem {
 public:
  WindowHandle DesktopWindow() override;
  bool IsWindow(WindowHandle window) override;
};

}  // namespace kelvano::win32
