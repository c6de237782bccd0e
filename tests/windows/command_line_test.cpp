// The program name is split off the command line the way Windows itself parses it: what
// remains after ArgumentsOf is exactly what follows the name CommandLineToArgvW reads.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "main/command_text.h"

namespace kelvano {
namespace {

// argv[0] as Windows reads it from the line.
std::wstring ProgramNameByWindows(const std::wstring& line) {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(line.c_str(), &count);
  std::wstring name = arguments && count > 0 ? arguments[0] : L"";
  LocalFree(arguments);
  return name;
}

TEST(CommandLine, ProgramNameEndsWhereWindowsEndsIt) {
  const wchar_t* lines[] = {
      L"kelvano.exe Remove_1231",
      L"C:\\Temp\\kelvano.exe  Install_1231 ",
      L"\"C:\\Program Files\\Ostrevan\\kelvano.exe\" Install_1231",
      L"\"C:\\Program Files\\Ostrevan\\kelvano.exe\"Install_1231",
      L"kelvano.exe\tInstall_1231",
      L"kelvano.exe",
  };
  for (const std::wstring line : lines) {
    SCOPED_TRACE(testing::Message() << "line: " << line);
    const std::wstring arguments(ArgumentsOf(line));
    std::wstring name = line.substr(0, line.size() - arguments.size());
    if (name.size() >= 2 && name.front() == L'"' && name.back() == L'"') name = name.substr(1, name.size() - 2);
    EXPECT_EQ(name, ProgramNameByWindows(line));
  }
}

TEST(CommandLine, ThisProcessHasNoArgumentsBeyondWhatItWasGiven) {
  // The test runner starts us with no arguments or only gtest's own flags.
  const std::wstring arguments(TrimSpaces(ArgumentsOf(GetCommandLineW())));
  EXPECT_TRUE(arguments.empty() || arguments.starts_with(L"--gtest")) << arguments;
}

}  // namespace
}  // namespace kelvano
