// Capturing the address a program opens with ShellExecute: url_recorder.exe (built next to
// the test program) is registered as the handler of http and https addresses and stores
// the address it receives in HKCU\Software\Kelvano Tests, value RecordedUrl.
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace e2e {

// Points HKCR\http and HKCR\https (in HKLM\Software\Classes, where Wine looks) at the recorder.
void InstallUrlRecorder();
void ClearRecordedUrl();
// The shell may start the recorder after the opening program has already ended: wait for it.
std::optional<std::wstring> WaitForRecordedUrl(std::chrono::milliseconds timeout);

// The parts of an absolute address that the tests compare.
struct UrlParts {
  std::wstring scheme;  // "http"
  std::wstring host;    // "www.example.com"
  std::wstring path;    // "/kBase/Page.htm"; "/" when the address has none
};
std::optional<UrlParts> SplitUrl(const std::wstring& url);

}  // namespace e2e
