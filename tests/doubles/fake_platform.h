// The whole platform in memory, for tests of Main and the modes.
#pragma once

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

class FakeWindowSystem : public WindowSystem {
 public:
  static constexpr WindowHandle kDesktop = 0x10010;
  std::vector<WindowHandle> liveWindows;
  WindowHandle DesktopWindow() override { return kDesktop; }
  bool IsWindow(WindowHandle window) override {
    for (WindowHandle w : liveWindows)
      if (w == window) return true;
    return false;
  }
};

}  // namespace kelvano::doubles
