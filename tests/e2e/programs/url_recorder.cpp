// Stands in for the web browser: registered as the handler of http addresses, it stores the
// address it was started with where the end-to-end tests read it, and ends.
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "harness/test_keys.h"
#include "harness/unique_handle.h"

namespace {

struct LocalFreeDeleter {
  void operator()(LPWSTR* p) const { ::LocalFree(p); }
};

std::wstring FirstArgument() {
  int argc = 0;
  const std::unique_ptr<LPWSTR, LocalFreeDeleter> argv(::CommandLineToArgvW(::GetCommandLineW(), &argc));
  return argv && argc > 1 ? argv.get()[1] : L"";
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::wstring url = FirstArgument();
  e2e::unique_hkey key;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, e2e::kTestsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr) !=
      ERROR_SUCCESS)
    return 1;
  const LSTATUS status =
      ::RegSetValueExW(key.get(), e2e::kRecordedUrlValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(url.c_str()),
                       static_cast<DWORD>((url.size() + 1) * sizeof(wchar_t)));
  return status == ERROR_SUCCESS ? 0 : 1;
}
