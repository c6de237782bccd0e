// Owners for a window and a window-class registration, so no code destroys them by hand.
#pragma once

#include <windows.h>

#include <utility>

namespace kelvano::win32 {

class UniqueWindow {
 public:
  UniqueWindow() noexcept = default;
  explicit UniqueWindow(HWND window) noexcept : window_(window) {}
  UniqueWindow(const UniqueWindow&) = delete;
  UniqueWindow& operator=(const UniqueWindow&) = delete;
  ~UniqueWindow() { reset(); }

  HWND get() const noexcept { return window_; }
  explicit operator bool() const noexcept { return window_ != nullptr; }
  // DestroyWindow; the handle is let go first, so a WM_NCDESTROY handler sees it empty.
  void reset(HWND window = nullptr) noexcept {
    if (HWND old = std::exchange(window_, window)) DestroyWindow(old);
  }
  // Forgets a window that is being destroyed anyway.
  HWND release() noexcept { return std::exchange(window_, nullptr); }

 private:
  HWND window_ = nullptr;
};

// RegisterClassExW for the life of the object.
class WindowClassRegistration {
 public:
  explicit WindowClassRegistration(const WNDCLASSEXW& windowClass) noexcept
      : instance_(windowClass.hInstance), atom_(RegisterClassExW(&windowClass)) {}
  WindowClassRegistration(const WindowClassRegistration&) = delete;
  WindowClassRegistration& operator=(const WindowClassRegistration&) = delete;
  ~WindowClassRegistration() {
    if (atom_) UnregisterClassW(MAKEINTATOM(atom_), instance_);
  }

  // 0 when RegisterClassExW failed.
  ATOM atom() const noexcept { return atom_; }

 private:
  HINSTANCE instance_;
  ATOM atom_;
};

}  // namespace kelvano::win32
