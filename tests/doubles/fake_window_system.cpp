#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "fake_platform.h"

namespace kelvano::doubles {

namespace {
constexpr double kSecondsPerDay = 86400.0;
}  // namespace

void FakeWindowSystem::Arrive(double at, std::function<void()> handle) {
  const auto later = std::upper_bound(arrivals_.begin(), arrivals_.end(), at,
                                      [](double time, const Arrival& a) { return time < a.at; });
  arrivals_.insert(later, Arrival{at, std::move(handle)});
}

void FakeWindowSystem::CloseRequestAt(double at) {
  Arrive(at, [this] { RequestClose(); });
}

void FakeWindowSystem::EndSessionAt(double at) {
  Arrive(at, [this] {
    if (!events_) return;
    windowLog.push_back(L"end session");
    events_->EndSession();
  });
}

void FakeWindowSystem::DestroyAt(double at, WindowHandle window) {
  Arrive(at, [this, window] { std::erase(liveWindows, window); });
}

bool FakeWindowSystem::IsWindow(WindowHandle window) {
  checks.push_back(passed);
  return std::find(liveWindows.begin(), liveWindows.end(), window) != liveWindows.end();
}

double FakeWindowSystem::SecondsSinceMidnight() { return std::fmod(startOfDay + passed, kSecondsPerDay); }

bool FakeWindowSystem::HandleNextArrived() {
  if (arrivals_.empty() || arrivals_.front().at > passed) return false;
  const std::function<void()> handle = std::move(arrivals_.front().handle);
  arrivals_.erase(arrivals_.begin());
  handle();
  return true;
}

void FakeWindowSystem::NoteCallAtSameTime() {
  if (passed != lastCallAt_) {
    lastCallAt_ = passed;
    callsAtSameTime_ = 0;
  } else if (++callsAtSameTime_ > kSpinLimit) {
    throw std::logic_error("FakeWindowSystem: called over and over while no time passes (spinning)");
  }
}

void FakeWindowSystem::ProcessPendingMessages() {
  ++pumps;
  NoteCallAtSameTime();
  while (HandleNextArrived()) {
  }
}

void FakeWindowSystem::WaitForMessage(double timeoutSeconds) {
  waitTimeouts.push_back(timeoutSeconds);
  NoteCallAtSameTime();
  if (!arrivals_.empty() && arrivals_.front().at <= passed) return;  // a message is already there
  double until = passed + std::max(timeoutSeconds, 0.0);
  if (!arrivals_.empty()) until = std::min(until, arrivals_.front().at);
  passed = until;
  if (passed > giveUpAfter) throw std::logic_error("FakeWindowSystem: still waiting past giveUpAfter");
}

void FakeWindowSystem::RequestClose() {
  if (!events_) return;  // the window is gone: the message goes nowhere
  const bool allowed = events_->UnloadRequest() == UnloadAnswer::kAllow;
  windowLog.push_back(allowed ? L"unload request: allowed" : L"unload request: refused");
  if (allowed) {
    events_ = nullptr;
    windowLog.push_back(L"closed");
  }
}

void FakeWindowSystem::Shown::Close() { system_.CloseRequestAt(system_.passed); }

void FakeWindowSystem::ShowModal(const std::wstring& caption, WindowEvents& events) {
  windowLog.push_back(L"create " + caption);
  events_ = &events;
  struct Destroy {
    WindowEvents*& events;
    ~Destroy() { events = nullptr; }
  } destroyOnExit{events_};

  windowLog.push_back(L"load");
  events.Load();
  if (!events_) return;  // closed while loading

  windowLog.push_back(L"display");
  windowLog.push_back(L"activate");
  events.Activate(shown_);
  // The modal loop: handle messages as they arrive until the window has closed.
  while (events_) {
    if (HandleNextArrived()) continue;
    if (arrivals_.empty()) throw std::logic_error("FakeWindowSystem: the modal window never closes");
    passed = arrivals_.front().at;
  }
}

}  // namespace kelvano::doubles
