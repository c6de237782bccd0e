// Registry places shared by the harness and its helper programs (which run in other processes).
#pragma once

namespace e2e {

// HKEY_CURRENT_USER: scratch state of the end-to-end tests.
inline constexpr wchar_t kTestsKey[] = L"Software\\Kelvano Tests";
// The address the URL recorder was started with.
inline constexpr wchar_t kRecordedUrlValue[] = L"RecordedUrl";
// The command line the fake program saw (harness self-test).
inline constexpr wchar_t kFakeCommandLineValue[] = L"FakeCommandLine";

}  // namespace e2e
