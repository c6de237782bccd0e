#include "platform/win32/poll_window_win32.h"

#include <windows.h>

#include "platform/runtime_error.h"
#include "platform/win32/automation_win32.h"
#include "platform/win32/callback_failure.h"
#include "platform/win32/window_owners.h"

namespace kelvano::win32 {

namespace {

constexpr wchar_t kClassName[] = L"KelvanoPollWindow";
// Posted right after the display: raises Activate should Windows not activate the window
// (another program may hold the foreground).
constexpr UINT kRaiseActivate = WM_APP + 1;

// What keeps the window from being seen in the moment it is displayed: no size, far off every
// screen, fully transparent (a layered window with alpha 0, which also lets clicks through),
// and a tool window, so no task-bar button and no Alt+Tab entry. It still gets activated.
constexpr DWORD kStyle = WS_POPUP;
constexpr DWORD kExtendedStyle = WS_EX_TOOLWINDOW | WS_EX_LAYERED;
constexpr int kOffScreen = -32000;

[[noreturn]] void RaiseLastError(const wchar_t* call) {
  const HRESULT hr = HRESULT_FROM_WIN32(GetLastError());
  throw RuntimeError(static_cast<std::int32_t>(hr), std::wstring(call) + L": " + ErrorFromHresult(hr).Description());
}

class PollWindow final : public ShownWindow {
 public:
  PollWindow(const std::wstring& caption, WindowEvents& events);

  void Run();
  // The window's own close request, handled like any other once the current handler is done.
  void Close() override { PostMessageW(window_.get(), WM_CLOSE, 0, 0); }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  void OnActivate(WPARAM wParam);
  void OnClose();
  LRESULT OnQueryEndSession();
  void OnEndSession(WPARAM wParam);
  void OnNcDestroy(HWND window);

  void RaiseActivateOnce();
  void ModalLoop();

  WindowEvents& events_;
  WindowClassRegistration class_;
  UniqueWindow window_;  // filled by WM_NCCREATE, emptied by WM_NCDESTROY
  bool displayed_ = false;
  bool activated_ = false;
};

WNDCLASSEXW PollWindowClass(WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kClassName;
  return windowClass;
}

PollWindow::PollWindow(const std::wstring& caption, WindowEvents& events)
    : events_(events), class_(PollWindowClass(&PollWindow::Procedure)) {
  if (!class_.atom()) RaiseLastError(L"RegisterClassExW");
  if (!CreateWindowExW(kExtendedStyle, kClassName, caption.c_str(), kStyle, kOffScreen, kOffScreen, 0, 0, nullptr,
                       nullptr, GetModuleHandleW(nullptr), this)) {
    RaiseLastError(L"CreateWindowExW");
  }
  SetLayeredWindowAttributes(window_.get(), 0, 0, LWA_ALPHA);
}

void PollWindow::Run() {
  events_.Load();
  RaiseHeldCallbackFailure();
  if (!window_) return;  // a close request went through while it loaded
  displayed_ = true;
  ShowWindow(window_.get(), SW_SHOW);
  PostMessageW(window_.get(), kRaiseActivate, 0, 0);
  ModalLoop();
}

void PollWindow::ModalLoop() {
  MSG message;
  while (window_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == -1) RaiseLastError(L"GetMessageW");
    if (got == 0) {
      // A quit request ends the show; it stays queued for whoever runs the outer loop.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
    RaiseHeldCallbackFailure();
  }
}

LRESULT CALLBACK PollWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<PollWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_.reset(window);
  }
  auto* self = reinterpret_cast<PollWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

LRESULT PollWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND window = window_.get();
  switch (message) {
    case WM_ACTIVATE:
      OnActivate(wParam);
      return 0;
    case kRaiseActivate:
      RaiseActivateOnce();
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_QUERYENDSESSION:
      return OnQueryEndSession();
    case WM_ENDSESSION:
      OnEndSession(wParam);
      return 0;
    case WM_NCDESTROY:
      OnNcDestroy(window);
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void PollWindow::OnActivate(WPARAM wParam) {
  if (LOWORD(wParam) != WA_INACTIVE) RaiseActivateOnce();
}

void PollWindow::RaiseActivateOnce() {
  if (!displayed_ || activated_) return;
  activated_ = true;
  RunCallback([this] { events_.Activate(*this); });
}

void PollWindow::OnClose() {
  UnloadAnswer answer = UnloadAnswer::kRefuse;
  RunCallback([&] { answer = events_.UnloadRequest(); });
  if (answer == UnloadAnswer::kAllow) window_.reset();
}

// Log-off and shut-down are never held up by this window.
LRESULT PollWindow::OnQueryEndSession() { return TRUE; }

// wParam TRUE: the session is ending, and the process may be ended once this returns.
void PollWindow::OnEndSession(WPARAM wParam) {
  if (wParam) RunCallback([this] { events_.EndSession(); });
}

void PollWindow::OnNcDestroy(HWND window) {
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  window_.release();
}

}  // namespace

void ShowPollWindowModal(const std::wstring& caption, WindowEvents& events) {
  PollWindow window(caption, events);
  window.Run();
}

}  // namespace kelvano::win32
