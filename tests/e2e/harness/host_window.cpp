#include "harness/host_window.h"

#include <future>
#include <stdexcept>

#include "harness/win32_error.h"

namespace e2e {
namespace {

constexpr wchar_t kClassName[] = L"KelvanoTestsHostWindow";
// Sent by the test thread: DestroyWindow works only on the window's own thread.
constexpr UINT kDestroyRequest = WM_APP + 1;

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kDestroyRequest: {
      ::DestroyWindow(window);
      *reinterpret_cast<std::chrono::steady_clock::time_point*>(lParam) = std::chrono::steady_clock::now();
      return 0;
    }
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

void RegisterHostWindowClass() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = HostWindowProc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kClassName;
  if (!::RegisterClassExW(&windowClass) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    ThrowLastError("RegisterClassExW");
}

}  // namespace

HostWindow::HostWindow() {
  std::promise<HWND> created;
  std::future<HWND> window = created.get_future();
  thread_ = std::thread([&created] {
    HWND handle = nullptr;
    try {
      RegisterHostWindowClass();
      handle = ::CreateWindowExW(0, kClassName, L"Kelvano tests host", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                 CW_USEDEFAULT, 320, 200, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
      if (!handle) ThrowLastError("CreateWindowExW");
      created.set_value(handle);
    } catch (...) {
      created.set_exception(std::current_exception());
      return;
    }
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  });
  try {
    handle_ = window.get();
  } catch (...) {
    thread_.join();
    throw;
  }
}

HostWindow::~HostWindow() {
  if (!destroyed()) Destroy();
  thread_.join();
}

std::chrono::steady_clock::time_point HostWindow::Destroy() {
  if (destroyedAt_) return *destroyedAt_;
  std::chrono::steady_clock::time_point when;
  ::SendMessageW(handle_, kDestroyRequest, 0, reinterpret_cast<LPARAM>(&when));
  destroyedAt_ = when;
  return when;
}

}  // namespace e2e
