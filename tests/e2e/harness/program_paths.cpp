#include "harness/program_paths.h"

#include <windows.h>

#include <algorithm>
#include <string_view>

#include "harness/win32_error.h"

namespace e2e {
namespace {

std::wstring& KelvanoPathSetting() {
  static std::wstring path;
  return path;
}

std::wstring TestProgramDirectory() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) ThrowLastError("GetModuleFileNameW");
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::wstring FromAnsi(std::string_view text) {
  if (text.empty()) return {};
  const int size = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

std::wstring& StandInDirectorySetting() {
  static std::wstring directory;
  return directory;
}

}  // namespace

std::wstring ToWindowsPath(const std::wstring& path) {
  if (path.empty() || path.front() != L'/') return path;
  std::wstring windowsPath = L"Z:" + path;
  std::replace(windowsPath.begin(), windowsPath.end(), L'/', L'\\');
  return windowsPath;
}

void TakeProgramPathArguments(int& argc, char** argv) {
  constexpr std::string_view kelvanoOption = "--kelvano=";
  constexpr std::string_view standInsOption = "--standins=";
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument.substr(0, kelvanoOption.size()) == kelvanoOption) {
      KelvanoPathSetting() = ToWindowsPath(FromAnsi(argument.substr(kelvanoOption.size())));
    } else if (argument.substr(0, standInsOption.size()) == standInsOption) {
      StandInDirectorySetting() = ToWindowsPath(FromAnsi(argument.substr(standInsOption.size())));
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
}

const std::wstring& KelvanoPath() {
  std::wstring& path = KelvanoPathSetting();
  if (path.empty()) path = BesideTestProgram(L"kelvano.exe");
  return path;
}

std::wstring StandInPath(const std::wstring& fileName) {
  const std::wstring& directory = StandInDirectorySetting();
  if (directory.empty()) return BesideTestProgram(fileName);
  const wchar_t last = directory.back();
  return last == L'\\' || last == L'/' ? directory + fileName : directory + L"\\" + fileName;
}

std::wstring BesideTestProgram(const std::wstring& fileName) {
  static const std::wstring directory = TestProgramDirectory();
  return directory + fileName;
}

}  // namespace e2e
