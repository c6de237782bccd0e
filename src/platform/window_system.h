// Window services the core uses: window handles, the clock and message queue of the one
// thread, and a modal top-level window whose events call back into the core.
#pragma once

#include <cstdint>
#include <string>

namespace kelvano {

// A window handle as the program passes it around: a signed 32-bit integer.
using WindowHandle = std::int32_t;

// A window that is on screen, as its own event handlers see it.
class ShownWindow {
 public:
  virtual ~ShownWindow() = default;
  // Asks the window to close: the request goes through the unload-request event like any other.
  virtual void Close() = 0;
};

enum class UnloadAnswer { kAllow, kRefuse };

// The events of a window shown by WindowSystem::ShowModal, handled by the core.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  // The window exists but is not displayed yet; it is displayed when this returns.
  virtual void Load() = 0;
  // The window has been displayed and activated (once per show).
  virtual void Activate(ShownWindow& window) = 0;
  // Someone (the user, another program, the window itself) asks the window to close.
  virtual UnloadAnswer UnloadRequest() = 0;
  // Windows is ending the session (log-off or shut-down): the process may be ended as soon as
  // this returns. The request to end the session itself is never refused.
  virtual void EndSession() = 0;
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  virtual WindowHandle DesktopWindow() = 0;
  virtual bool IsWindow(WindowHandle window) = 0;

  // Local time of day in seconds, with a fraction; returns to 0 at midnight.
  virtual double SecondsSinceMidnight() = 0;
  // Handles every message waiting for this thread's windows, then returns.
  virtual void ProcessPendingMessages() = 0;
  // Blocks until a message arrives for this thread or the timeout (seconds) has passed,
  // whichever is first. Handles nothing itself.
  virtual void WaitForMessage(double timeoutSeconds) = 0;

  // Creates a top-level window with this caption and no owner, raises Load before displaying it,
  // and returns when the window has closed. A failure raised by an event handler ends the show
  // and passes to the caller.
  virtual void ShowModal(const std::wstring& caption, WindowEvents& events) = 0;
};

}  // namespace kelvano
