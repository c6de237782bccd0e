// The poll window's Win32 host: a hidden window for Load, displayed but unseen for Activate,
// close requests through UnloadRequest, the end of the Windows session never refused, and
// failures of the core's handlers carried out of the window procedure.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/runtime_error.h"
#include "platform/win32/poll_window_win32.h"
#include "platform/win32/window_system_win32.h"
#include "poll_helpers.h"

namespace kelvano {
namespace {

using poll_test::FindOwnWindow;

// Records what the host raises, and what the window looked like at that moment.
struct RecordingEvents : WindowEvents {
  std::vector<std::string> log;
  std::function<void()> duringLoad;
  std::vector<UnloadAnswer> answers;  // one per request; allow once they run out
  std::function<void()> duringActivate;
  std::function<void()> duringUnload;

  HWND window = nullptr;
  bool visibleWhileLoading = true, visibleWhenActivated = false, activeWhenActivated = false;
  RECT rectWhenActivated{1, 1, 1, 1};

  void Load() override {
    log.push_back("load");
    window = FindOwnWindow(L"Form1");
    visibleWhileLoading = IsWindowVisible(window);
    if (duringLoad) duringLoad();
  }
  void Activate(ShownWindow& shown) override {
    log.push_back("activate");
    visibleWhenActivated = IsWindowVisible(window);
    activeWhenActivated = GetActiveWindow() == window;
    GetWindowRect(window, &rectWhenActivated);
    if (duringActivate) duringActivate();
    shown.Close();
  }
  UnloadAnswer UnloadRequest() override {
    if (duringUnload) duringUnload();
    const UnloadAnswer answer = answers.empty() ? UnloadAnswer::kAllow : answers.front();
    if (!answers.empty()) answers.erase(answers.begin());
    log.push_back(answer == UnloadAnswer::kAllow ? "unload: allowed" : "unload: refused");
    return answer;
  }
  void EndSession() override { log.push_back("end session"); }
};

TEST(PollWindowHost, LoadsHiddenThenDisplaysUnseenActivatesAndClosesOnItsOwnRequest) {
  RecordingEvents events;

  win32::ShowPollWindowModal(L"Form1", events);

  EXPECT_EQ(events.log, (std::vector<std::string>{"load", "activate", "unload: allowed"}));
  ASSERT_NE(events.window, nullptr) << "a top-level window of this process captioned Form1";
  EXPECT_FALSE(events.visibleWhileLoading);
  EXPECT_TRUE(events.visibleWhenActivated);
  EXPECT_TRUE(events.activeWhenActivated);
  EXPECT_EQ(events.rectWhenActivated.right - events.rectWhenActivated.left, 0);
  EXPECT_EQ(events.rectWhenActivated.bottom - events.rectWhenActivated.top, 0);
  EXPECT_FALSE(IsWindow(events.window)) << "destroyed when the show returns";
}

TEST(PollWindowHost, LooksLikeNothingOnTheScreenOrTheTaskBar) {
  RecordingEvents events;
  LONG_PTR exStyle = 0, style = 0;
  HWND owner = reinterpret_cast<HWND>(1);
  BYTE alpha = 255;
  events.duringLoad = [&] {
    exStyle = GetWindowLongPtrW(events.window, GWL_EXSTYLE);
    style = GetWindowLongPtrW(events.window, GWL_STYLE);
    owner = GetWindow(events.window, GW_OWNER);
    DWORD flags = 0;
    GetLayeredWindowAttributes(events.window, nullptr, &alpha, &flags);
  };

  win32::ShowPollWindowModal(L"Form1", events);

  EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW) << "no task-bar button";
  EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
  EXPECT_FALSE(exStyle & WS_EX_NOACTIVATE) << "it must be activated to close itself";
  EXPECT_TRUE(exStyle & WS_EX_LAYERED);
  EXPECT_EQ(alpha, 0) << "fully transparent";
  EXPECT_FALSE(style & WS_CAPTION);
  EXPECT_EQ(owner, nullptr) << "no owner window";
}

// Close requests while it loads go to UnloadRequest; a refused one leaves the window in place,
// an allowed one closes it, and then it is never displayed.
TEST(PollWindowHost, CloseRequestsWhileLoadingAreTheCoresToRefuse) {
  struct Case {
    std::vector<UnloadAnswer> answers;
    int requests;
    std::vector<std::string> log;
  };
  const auto kRefuse = UnloadAnswer::kRefuse, kAllow = UnloadAnswer::kAllow;
  for (const Case& c : {
           Case{{kRefuse}, 1, {"load", "unload: refused", "activate", "unload: allowed"}},
           Case{{kRefuse, kAllow}, 2, {"load", "unload: refused", "unload: allowed"}},
       }) {
    SCOPED_TRACE(c.requests);
    RecordingEvents events;
    events.answers = c.answers;
    win32::Win32WindowSystem windows;
    events.duringLoad = [&] {
      for (int i = 0; i < c.requests; ++i) PostMessageW(events.window, WM_CLOSE, 0, 0);
      windows.ProcessPendingMessages();
    };

    win32::ShowPollWindowModal(L"Form1", events);

    EXPECT_EQ(events.log, c.log);
  }
}

TEST(PollWindowHost, NeverRefusesTheEndOfTheSessionAndRaisesEndSessionOnlyWhenItEnds) {
  RecordingEvents events;
  LRESULT query = 0;
  events.duringLoad = [&] {
    query = SendMessageW(events.window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    SendMessageW(events.window, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);  // someone refused it
    SendMessageW(events.window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  };

  win32::ShowPollWindowModal(L"Form1", events);

  EXPECT_NE(query, 0);
  EXPECT_EQ(events.log, (std::vector<std::string>{"load", "end session", "activate", "unload: allowed"}));
}

// A run-time error raised by a handler inside the window procedure leaves the show as itself,
// at once, and the window is destroyed.
TEST(PollWindowHost, AFailureInAHandlerLeavesTheShowAndTheWindowIsDestroyed) {
  const RuntimeError failure(-2147467259, L"handler failed");
  for (const char* where : {"close request while loading", "activate"}) {
    SCOPED_TRACE(where);
    RecordingEvents events;
    win32::Win32WindowSystem windows;
    if (std::string(where) == "activate") {
      events.duringActivate = [&] { throw failure; };
    } else {
      events.duringUnload = [&] { throw failure; };
      events.duringLoad = [&] {
        PostMessageW(events.window, WM_CLOSE, 0, 0);
        windows.ProcessPendingMessages();
        ADD_FAILURE() << "the pump went on after the handler failed";
      };
    }

    try {
      win32::ShowPollWindowModal(L"Form1", events);
      ADD_FAILURE() << "no failure";
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.Number(), failure.Number());
      EXPECT_EQ(error.Description(), failure.Description());
    }
    EXPECT_FALSE(IsWindow(events.window));
  }
}

}  // namespace
}  // namespace kelvano
