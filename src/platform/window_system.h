// Window services the core uses.
#pragma once

#include <cstdint>

namespace kelvano {

// A window handle as the program passes it around: a signed 32-bit integer.
using WindowHandle = std::int32_t;

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  virtual WindowHandle DesktopWindow() = 0;
  virtual bool IsWindow(WindowHandle window) = 0;
};

}  // namespace kelvano
