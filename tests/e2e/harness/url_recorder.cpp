#include "harness/url_recorder.h"

#include <windows.h>

#include <algorithm>
#include <thread>

#include "harness/program_paths.h"
#include "harness/registry.h"
#include "harness/test_keys.h"

namespace e2e {

void InstallUrlRecorder() {
  const std::wstring command = L"\"" + BesideTestProgram(L"url_recorder.exe") + L"\" \"%1\"";
  for (const wchar_t* scheme : {L"http", L"https"}) {
    const std::wstring key = std::wstring(L"Software\\Classes\\") + scheme;
    WriteStringValue(HKEY_LOCAL_MACHINE, key, L"URL Protocol", L"");
    // A DDE verb would be tried before the command: there must be none.
    DeleteKeyTree(HKEY_LOCAL_MACHINE, key + L"\\shell\\open\\ddeexec");
    WriteStringValue(HKEY_LOCAL_MACHINE, key + L"\\shell\\open\\command", L"", command);
  }
}

void ClearRecordedUrl() { DeleteValue(HKEY_CURRENT_USER, kTestsKey, kRecordedUrlValue); }

std::optional<std::wstring> WaitForRecordedUrl(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (auto url = ReadStringValue(HKEY_CURRENT_USER, kTestsKey, kRecordedUrlValue)) return url;
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

std::optional<UrlParts> SplitUrl(const std::wstring& url) {
  const auto schemeEnd = url.find(L"://");
  if (schemeEnd == std::wstring::npos || schemeEnd == 0) return std::nullopt;
  const auto hostStart = schemeEnd + 3;
  const auto hostEnd = std::min(url.find_first_of(L"/?#", hostStart), url.size());
  const auto pathEnd = std::min(url.find_first_of(L"?#", hostEnd), url.size());
  UrlParts parts{url.substr(0, schemeEnd), url.substr(hostStart, hostEnd - hostStart),
                 url.substr(hostEnd, pathEnd - hostEnd)};
  if (parts.host.empty()) return std::nullopt;
  if (parts.path.empty()) parts.path = L"/";
  return parts;
}

}  // namespace e2e
