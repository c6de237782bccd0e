// Helpers for the poll-mode tests under Wine: a host window that lives on its own thread for a
// set time, a driver object that counts its calls, and a way to reach this process's poll
// window from another thread while the watch runs.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <string>
#include <thread>

#include "platform/automation.h"
#include "platform/runtime_error.h"
#include "platform/win32/window_handle.h"
#include "platform/win32/window_owners.h"

namespace kelvano::poll_test {

using Clock = std::chrono::steady_clock;

inline double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The converter driver as the watch uses it: every call succeeds and is counted by dispatch id.
struct DriverCalls {
  std::atomic<int> creations{0}, installs{0}, uninstalls{0}, endSessions{0};
};

class CountingDriver : public AutomationObject {
 public:
  explicit CountingDriver(DriverCalls& calls) : calls_(calls) {}
  void InvokeMethod(std::int32_t dispatchId, const std::vector<Value>&) override {
    if (dispatchId == 27) ++calls_.installs;
    if (dispatchId == 21) ++calls_.uninstalls;
    if (dispatchId == 24) ++calls_.endSessions;
  }
  Value GetProperty(const std::wstring&) override { throw Unsupported(); }
  Value CallMethod(const std::wstring&, const std::vector<Value>&) override { throw Unsupported(); }
  ObjectRef QueryInterface(const std::wstring&) override { throw Unsupported(); }
  std::unique_ptr<Enumerator> Enumerate() override { throw Unsupported(); }

 private:
  static RuntimeError Unsupported() { return RuntimeError(438, L"Object doesn't support this property or method"); }
  DriverCalls& calls_;
};

class DriverOnlyAutomation : public Automation {
 public:
  DriverCalls calls;
  ObjectRef CreateObject(const std::wstring&, const std::wstring&) override {
    ++calls.creations;
    return std::make_shared<CountingDriver>(calls);
  }
  ObjectRef CreateObjectFromProgId(const std::wstring&) override { throw errors::CannotCreateObject(); }
  std::int32_t ToInt32(const Value&) override { throw errors::TypeMismatch(); }
};

// Blocks the calling thread for a while, handling its messages.
inline void PumpFor(std::chrono::milliseconds time) {
  const Clock::time_point end = Clock::now() + time;
  for (Clock::time_point now; (now = Clock::now()) < end;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - now).count();
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(left) + 1, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
}

// The host application's window: created on a thread of its own, destroyed after `lifetime`.
class HostWindow {
 public:
  explicit HostWindow(std::chrono::milliseconds lifetime) {
    std::promise<HWND> created;
    std::future<HWND> handle = created.get_future();
    thread_ = std::thread([this, lifetime, created = std::move(created)]() mutable {
      win32::UniqueWindow window(CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                                 nullptr, GetModuleHandleW(nullptr), nullptr));
      created.set_value(window.get());
      PumpFor(lifetime);
      window.reset();
      destroyedAt_ = Clock::now();
    });
    handle_ = win32::FromHwnd(handle.get());
  }
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;
  ~HostWindow() {
    if (thread_.joinable()) thread_.join();
  }

  WindowHandle handle() const { return handle_; }
  // Valid once the window has been destroyed (after the thread has been joined, or observed gone).
  Clock::time_point destroyedAt() {
    if (thread_.joinable()) thread_.join();
    return destroyedAt_;
  }

 private:
  std::thread thread_;
  WindowHandle handle_ = 0;
  Clock::time_point destroyedAt_;
};

struct CaptionSearch {
  const wchar_t* caption;
  HWND found;
};

inline BOOL CALLBACK MatchOwnCaption(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<CaptionSearch*>(lParam);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t text[64] = {};
  GetWindowTextW(window, text, 64);
  if (process != GetCurrentProcessId() || std::wstring(text) != search->caption) return TRUE;
  search->found = window;
  return FALSE;
}

// The top-level window of this process with this caption, hidden ones included; null if none.
inline HWND FindOwnWindow(const wchar_t* caption) {
  CaptionSearch search{caption, nullptr};
  EnumWindows(&MatchOwnCaption, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Runs `action` on another thread after `delay`, while the test's thread is busy in the watch.
class Later {
 public:
  Later(std::chrono::milliseconds delay, std::function<void()> action)
      : thread_([delay, action = std::move(action)] {
          std::this_thread::sleep_for(delay);
          action();
        }) {}
  Later(const Later&) = delete;
  Later& operator=(const Later&) = delete;
  ~Later() { thread_.join(); }

 private:
  std::thread thread_;
};

// User plus kernel time of this process, in seconds.
inline double ProcessCpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto seconds = [](const FILETIME& t) {
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

}  // namespace kelvano::poll_test
