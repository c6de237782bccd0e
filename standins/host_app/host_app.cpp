// Stand-in for the add-in's host application: a top-level window that lives for a while.
// Prints the window's handle as the signed 32-bit number the add-in passes to kelvano.exe,
// keeps the window for the given number of seconds, then destroys it and exits.
//   host_app.exe SECONDS
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace {

class Window {
 public:
  explicit Window(HWND handle) : handle_(handle) {}
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  ~Window() {
    if (handle_) DestroyWindow(handle_);
  }
  HWND get() const { return handle_; }

 private:
  HWND handle_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const double seconds = argc > 1 ? std::wcstod(argv[1], nullptr) : 5.0;
  Window window(CreateWindowExW(0, L"STATIC", L"Kelvano demo host", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr));
  if (!window.get()) {
    std::fprintf(stderr, "host_app: CreateWindowExW failed (%lu)\n", GetLastError());
    return 1;
  }
  std::printf("%ld\n", static_cast<long>(reinterpret_cast<INT_PTR>(window.get())));
  std::fflush(stdout);

  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  return 0;
}
