// A test fixture for the harness's self-test: behaves in each of the ways the harness must
// handle, chosen by its first argument.
//   exit CODE                    ends with CODE
//   report CODE TITLE TEXT       shows a message box (TEXT with "\n" for line breaks), ends with CODE
//   thread-report CODE TITLE TEXT the same, from a second thread
//   record-command-line          stores its command line in HKCU\Software\Kelvano Tests, ends with 0
//   open ADDRESS                 ShellExecuteA "open" on ADDRESS and ends at once, as kelvano does
//   wait-for-window HANDLE       ends with 0 once the window (signed 32-bit number) is gone
//   hang                         never ends
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "harness/test_keys.h"
#include "harness/unique_handle.h"

namespace {

struct LocalFreeDeleter {
  void operator()(LPWSTR* p) const { ::LocalFree(p); }
};

std::vector<std::wstring> Arguments() {
  int argc = 0;
  const std::unique_ptr<LPWSTR, LocalFreeDeleter> argv(::CommandLineToArgvW(::GetCommandLineW(), &argc));
  if (!argv) return {};
  return std::vector<std::wstring>(argv.get() + 1, argv.get() + argc);
}

std::wstring WithLineBreaks(std::wstring text) {
  for (std::wstring::size_type at; (at = text.find(L"\\n")) != std::wstring::npos;) text.replace(at, 2, L"\n");
  return text;
}

std::string ToAnsi(const std::wstring& text) {
  const int size = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, ansi.data(), size, nullptr, nullptr);
  ansi.resize(ansi.size() - 1);
  return ansi;
}

int RecordCommandLine() {
  const std::wstring commandLine = ::GetCommandLineW();
  e2e::unique_hkey key;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, e2e::kTestsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr) !=
      ERROR_SUCCESS)
    return 1;
  return ::RegSetValueExW(key.get(), e2e::kFakeCommandLineValue, 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(commandLine.c_str()),
                          static_cast<DWORD>((commandLine.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS
             ? 0
             : 1;
}

int WaitForWindowGone(const std::wstring& handleText) {
  const auto window = reinterpret_cast<HWND>(static_cast<std::intptr_t>(std::stol(handleText)));
  if (!::IsWindow(window)) return 2;
  while (::IsWindow(window)) ::Sleep(10);
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::vector<std::wstring> args = Arguments();
  const std::wstring mode = args.empty() ? L"" : args[0];
  if (mode == L"exit" && args.size() == 2) return std::stoi(args[1]);
  if ((mode == L"report" || mode == L"thread-report") && args.size() == 4) {
    const auto show = [&] {
      ::MessageBoxW(nullptr, WithLineBreaks(args[3]).c_str(), args[2].c_str(), MB_OK | MB_ICONEXCLAMATION);
    };
    if (mode == L"report") {
      show();
    } else {
      std::thread(show).join();
    }
    return std::stoi(args[1]);
  }
  if (mode == L"record-command-line") return RecordCommandLine();
  if (mode == L"open" && args.size() == 2) {
    ::ShellExecuteA(::GetDesktopWindow(), "open", ToAnsi(args[1]).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    ::ExitProcess(0);
  }
  if (mode == L"wait-for-window" && args.size() == 2) return WaitForWindowGone(args[1]);
  if (mode == L"hang") {
    ::Sleep(INFINITE);
  }
  return 100;  // unknown mode: a fault in the self-test itself
}
