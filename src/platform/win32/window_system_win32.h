// Window services on user32 and kernel32.
#pragma once

#include "platform/win32/message_queue_win32.h"
#include "platform/window_system.h"

namespace kelvano::win32 {

class Win32WindowSystem : public WindowSystem {
 public:
  WindowHandle DesktopWindow() override;
  bool IsWindow(WindowHandle window) override;
  // GetLocalTime, to the millisecond.
  double SecondsSinceMidnight() override;
  void ProcessPendingMessages() override;
  void WaitForMessage(double timeoutSeconds) override;
  void ShowModal(const std::wstring& caption, WindowEvents& events) override;

  // How the waits went so far: how often, how long, and what ended them.
  const WaitStatistics& WaitStatisticsSoFar() const noexcept { return queue_.Statistics(); }

 private:
  MessageQueue queue_;
};

}  // namespace kelvano::win32
