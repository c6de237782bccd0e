// The whole platform in memory, for tests of Main and the modes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "fake_automation.h"
#include "platform/platform.h"

namespace kelvano::doubles {

// Thrown by FakeProcess::EndNow, so a test sees the process end without it ending.
struct ProcessEnded {};

class FakeProcess : public Process {
 public:
  std::wstring commandLine = L"kelvano.exe";
  std::wstring CommandLine() override { return commandLine; }
  [[noreturn]] void EndNow() override { throw ProcessEnded{}; }
};

class FakeShell : public Shell {
 public:
  struct Call {
    WindowHandle owner;
    std::wstring verb, file;
    int showCommand;
  };
  std::vector<Call> calls;
  void Execute(WindowHandle owner, const std::wstring& verb, const std::wstring& file, int showCommand) override {
    calls.push_back({owner, verb, file, showCommand});
  }
};

// Window services with a clock and a message queue driven by hand. Time passes only while the
// core waits: a wait ends at its timeout or when the next scripted message arrives, whichever
// is first, and the next ProcessPendingMessages handles every message that has arrived.
// ShowModal plays a modal window the way the Win32 host does: Load, display, Activate, then
// close requests (Close() from Activate is one) until one is allowed.
class FakeWindowSystem : public WindowSystem {
 public:
  static constexpr WindowHandle kDesktop = 0x10010;
  std::vector<WindowHandle> liveWindows;

  // The time of day when the test starts, in seconds since midnight.
  double startOfDay = 10 * 3600.0;
  // Seconds of fake time passed since the test started.
  double passed = 0.0;
  // A watch still running after this much fake time fails the test instead of hanging it; so
  // does one that keeps pumping or waiting while no time passes.
  double giveUpAfter = 2 * 86400.0;

  // A message that arrives after `at` seconds of fake time; handling it runs `handle`.
  void Arrive(double at, std::function<void()> handle);
  // A close request to the shown window (WM_CLOSE) arriving at that time.
  void CloseRequestAt(double at);
  // Windows ending the session (WM_ENDSESSION) at that time.
  void EndSessionAt(double at);
  // The host window is destroyed at that time.
  void DestroyAt(double at, WindowHandle window);

  // What the core did.
  std::vector<double> checks;           // fake time of each IsWindow call
  std::vector<double> waitTimeouts;     // the timeout of each wait
  int pumps = 0;                        // ProcessPendingMessages calls
  std::vector<std::wstring> windowLog;  // e.g. "create Form1", "load", "display", "activate",
                                        // "unload request: refused", "end session", "closed"

  WindowHandle DesktopWindow() override { return kDesktop; }
  bool IsWindow(WindowHandle window) override;
  double SecondsSinceMidnight() override;
  void ProcessPendingMessages() override;
  void WaitForMessage(double timeoutSeconds) override;
  void ShowModal(const std::wstring& caption, WindowEvents& events) override;

 private:
  class Shown : public ShownWindow {
   public:
    explicit Shown(FakeWindowSystem& system) : system_(system) {}
    void Close() override;

   private:
    FakeWindowSystem& system_;
  };
  struct Arrival {
    double at;
    std::function<void()> handle;
  };

  // A loop that keeps calling while no fake time passes would spin on a real machine.
  static constexpr int kSpinLimit = 10000;
  void NoteCallAtSameTime();
  bool HandleNextArrived();
  void RequestClose();

  std::vector<Arrival> arrivals_;   // in order of arrival time
  WindowEvents* events_ = nullptr;  // the shown window's, while it is open
  Shown shown_{*this};
  double lastCallAt_ = -1.0;
  int callsAtSameTime_ = 0;
};

}  // namespace kelvano::doubles
