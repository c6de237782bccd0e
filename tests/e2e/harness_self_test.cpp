// The harness against fake_kelvano.exe, a program whose behaviour the test chooses: proves
// that the harness passes command lines exactly, catches and reads reports from any thread,
// kills hangs, records opened addresses and hands out a host window that really goes away.
#include <gtest/gtest.h>

#include <windows.h>

#include "harness/host_window.h"
#include "harness/program_paths.h"
#include "harness/program_run.h"
#include "harness/registry.h"
#include "harness/test_keys.h"
#include "harness/url_recorder.h"

namespace e2e {
namespace {

std::wstring FakePath() { return BesideTestProgram(L"fake_kelvano.exe"); }

RunResult RunFake(const std::wstring& tail, const RunOptions& options = {}) {
  return RunProgram(FakePath(), L"\"" + FakePath() + L"\"" + tail, options);
}

struct FakeRunCase {
  const char* name;
  std::wstring tail;
  DWORD exitCode;
  std::optional<ErrorReport> report;
};

void PrintTo(const FakeRunCase& c, std::ostream* os) { *os << c.name; }

class HarnessRunTest : public testing::TestWithParam<FakeRunCase> {};

TEST_P(HarnessRunTest, ReportsExitCodeAndReport) {
  const FakeRunCase& c = GetParam();
  const RunResult result = RunFake(c.tail);
  const std::string run = Describe(result);
  EXPECT_FALSE(result.timedOut) << run;
  EXPECT_EQ(result.exitCode, c.exitCode) << run;
  ASSERT_EQ(result.report.has_value(), c.report.has_value()) << run;
  if (c.report) {
    EXPECT_EQ(result.reportCount, 1) << run;
    EXPECT_EQ(result.report->title, c.report->title);
    EXPECT_EQ(result.report->text, c.report->text);
  }
}

INSTANTIATE_TEST_SUITE_P(
    FakeProgram, HarnessRunTest,
    testing::Values(FakeRunCase{"ExitZero", L" exit 0", 0, std::nullopt},
                    FakeRunCase{"ExitCodeKeptWhole", L" exit 70000", 70000, std::nullopt},
                    FakeRunCase{"ReportReadAndDismissed",
                                L" report 5 kelvano \"Run-time error '13':\\n\\nType mismatch\"", 5,
                                ErrorReport{L"kelvano", L"Run-time error '13':\n\nType mismatch"}},
                    FakeRunCase{"ReportFromSecondThread", L" thread-report 9 other \"first\\nsecond\"", 9,
                                ErrorReport{L"other", L"first\nsecond"}}),
    [](const testing::TestParamInfo<FakeRunCase>& info) { return std::string(info.param.name); });

TEST(HarnessReport, LinesSplitAtEitherLineBreak) {
  EXPECT_EQ((ErrorReport{L"", L"a\r\n\r\nb"}.Lines()), (std::vector<std::wstring>{L"a", L"", L"b"}));
  EXPECT_EQ((ErrorReport{L"", L"a\n\nb"}.Lines()), (std::vector<std::wstring>{L"a", L"", L"b"}));
  EXPECT_EQ((ErrorReport{L"", L"a"}.Lines()), (std::vector<std::wstring>{L"a"}));
}

class HarnessCommandLineTest : public testing::TestWithParam<std::wstring> {};

// The program must see the command line byte for byte: spaces around and inside the tail
// decide which mode kelvano runs.
TEST_P(HarnessCommandLineTest, PassedExactly) {
  DeleteValue(HKEY_CURRENT_USER, kTestsKey, kFakeCommandLineValue);
  const std::wstring commandLine = GetParam();
  const RunResult result = RunProgram(FakePath(), commandLine);
  ASSERT_EQ(result.exitCode, 0u) << Describe(result);
  EXPECT_EQ(ReadStringValue(HKEY_CURRENT_USER, kTestsKey, kFakeCommandLineValue), commandLine);
}

INSTANTIATE_TEST_SUITE_P(FakeProgram, HarnessCommandLineTest,
                         testing::Values(L"\"" + FakePath() + L"\" record-command-line",
                                         L"\"" + FakePath() + L"\"   record-command-line  ",
                                         L"\"" + FakePath() + L"\"record-command-line",
                                         FakePath() + L" record-command-line"));

TEST(HarnessTimeout, KillsAProgramThatHangs) {
  const auto started = std::chrono::steady_clock::now();
  const RunResult result = RunFake(L" hang", RunOptions{1s});
  EXPECT_TRUE(result.timedOut);
  EXPECT_GE(result.elapsed, 1s);
  EXPECT_LT(std::chrono::steady_clock::now() - started, 15s);
}

TEST(HarnessUrlRecorder, RecordsTheAddressAProgramOpened) {
  ClearRecordedUrl();
  const std::wstring address = L"http://www.example.test/kBase/Page.htm";
  const RunResult result = RunFake(L" open " + address);
  ASSERT_EQ(result.exitCode, 0u) << Describe(result);
  EXPECT_EQ(WaitForRecordedUrl(15s), address);
}

TEST(HarnessUrlRecorder, NothingRecordedAfterClear) {
  ClearRecordedUrl();
  EXPECT_EQ(WaitForRecordedUrl(0ms), std::nullopt);
}

TEST(HarnessUrl, SplitsSchemeHostAndPath) {
  struct Case {
    std::wstring url;
    std::optional<std::wstring> scheme, host, path;
  };
  const Case cases[] = {
      {L"http://www.example.test/", L"http", L"www.example.test", L"/"},
      {L"http://www.example.test", L"http", L"www.example.test", L"/"},
      {L"http://support.example.test/kBase/Kelvano.htm", L"http", L"support.example.test", L"/kBase/Kelvano.htm"},
      {L"https://a.test/x?y=1#z", L"https", L"a.test", L"/x"},
      {L"www.example.test/kBase", std::nullopt, std::nullopt, std::nullopt},
      {L"http:///path", std::nullopt, std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "url #" << (&c - cases));
    const auto parts = SplitUrl(c.url);
    ASSERT_EQ(parts.has_value(), c.scheme.has_value());
    if (!parts) continue;
    EXPECT_EQ(parts->scheme, *c.scheme);
    EXPECT_EQ(parts->host, *c.host);
    EXPECT_EQ(parts->path, *c.path);
  }
}

TEST(HarnessHostWindow, HandleSurvivesTheTripThroughAnInt32) {
  HostWindow host;
  EXPECT_TRUE(::IsWindow(host.handle()));
  EXPECT_EQ(reinterpret_cast<HWND>(static_cast<std::intptr_t>(host.handle32())), host.handle());
}

// The pattern of the poll-mode cases: a program watches the window, the test destroys it,
// and the program's end is timed from the moment the window went away.
TEST(HarnessHostWindow, ProgramSeesTheWindowGoWhenDestroyed) {
  HostWindow host;
  RunningProgram fake(FakePath(), L"\"" + FakePath() + L"\" wait-for-window " + std::to_wstring(host.handle32()));
  EXPECT_FALSE(fake.WaitForExit(1s)) << "ended while its window still existed: " << Describe(fake.Result());
  const auto destroyedAt = host.Destroy();
  EXPECT_FALSE(::IsWindow(host.handle()));
  ASSERT_TRUE(fake.WaitForExit(15s));
  EXPECT_EQ(fake.Result().exitCode, 0u);
  EXPECT_LT(*fake.exitedAt() - destroyedAt, 5s);
}

class HarnessRegistryTest : public testing::Test {
 protected:
  const std::wstring key_ = std::wstring(kTestsKey) + L"\\Registry Self-Test";
  void SetUp() override { DeleteKeyTree(HKEY_CURRENT_USER, key_); }
  void TearDown() override { DeleteKeyTree(HKEY_CURRENT_USER, key_); }
};

TEST_F(HarnessRegistryTest, ReadsBackWhatWasWritten) {
  WriteStringValue(HKEY_CURRENT_USER, key_ + L"\\Nested", L"Text", L"value");
  WriteDwordValue(HKEY_CURRENT_USER, key_, L"Number", 0xFFFFFFFFu);
  EXPECT_EQ(ReadStringValue(HKEY_CURRENT_USER, key_ + L"\\Nested", L"Text"), L"value");
  EXPECT_EQ(ReadDwordValue(HKEY_CURRENT_USER, key_, L"Number"), 0xFFFFFFFFu);
  const auto raw = ReadRawValue(HKEY_CURRENT_USER, key_, L"Number");
  ASSERT_TRUE(raw);
  EXPECT_EQ(raw->type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(raw->bytes.size(), 4u);
}

TEST_F(HarnessRegistryTest, TextStoredWithoutTerminatorReadsWhole) {
  const std::wstring text = L"no end";
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  WriteRawValue(HKEY_CURRENT_USER, key_, L"Bare", RawValue{REG_SZ, {bytes, bytes + text.size() * sizeof(wchar_t)}});
  EXPECT_EQ(ReadStringValue(HKEY_CURRENT_USER, key_, L"Bare"), text);
}

TEST_F(HarnessRegistryTest, MissingKeysAndValuesReadAsNothing) {
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key_));
  EXPECT_EQ(ReadStringValue(HKEY_CURRENT_USER, key_, L"Text"), std::nullopt);
  WriteDwordValue(HKEY_CURRENT_USER, key_, L"Number", 1);
  EXPECT_EQ(ReadStringValue(HKEY_CURRENT_USER, key_, L"Text"), std::nullopt);
  EXPECT_NO_THROW(DeleteValue(HKEY_CURRENT_USER, key_, L"Text"));
}

TEST_F(HarnessRegistryTest, DeleteKeyTreeRemovesKeyAndEverythingBelow) {
  WriteStringValue(HKEY_CURRENT_USER, key_ + L"\\A\\B", L"Text", L"x");
  WriteDwordValue(HKEY_CURRENT_USER, key_, L"Number", 1);
  DeleteKeyTree(HKEY_CURRENT_USER, key_);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key_));
  EXPECT_NO_THROW(DeleteKeyTree(HKEY_CURRENT_USER, key_));
}

TEST(HarnessPaths, LinuxPathsBecomeDriveZPaths) {
  EXPECT_EQ(ToWindowsPath(L"/work/build/kelvano.exe"), L"Z:\\work\\build\\kelvano.exe");
  EXPECT_EQ(ToWindowsPath(L"C:\\x\\kelvano.exe"), L"C:\\x\\kelvano.exe");
}

}  // namespace
}  // namespace e2e
