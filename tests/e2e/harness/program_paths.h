// Where the programs under test are. kelvano.exe's path and the stand-in servers' directory
// come from the test program's command line (CTest passes the build's paths); the harness's
// own helper programs are built next to the test executable.
#pragma once

#include <string>

namespace e2e {

// Takes and removes "--kelvano=PATH" and "--standins=DIR" from the arguments. A Linux path
// ("/...") is turned into its Wine drive path ("Z:\..."). Call before or after
// testing::InitGoogleTest.
void TakeProgramPathArguments(int& argc, char** argv);

// kelvano.exe: from --kelvano=, else the one next to the test executable.
const std::wstring& KelvanoPath();

// A stand-in COM server, e.g. L"standin_driver.dll": in the --standins= directory, else
// next to the test executable.
std::wstring StandInPath(const std::wstring& fileName);

// A file in the test executable's own directory, e.g. L"url_recorder.exe".
std::wstring BesideTestProgram(const std::wstring& fileName);

// "/a/b" -> "Z:\a\b"; a path that is already a Windows path is returned unchanged.
std::wstring ToWindowsPath(const std::wstring& path);

}  // namespace e2e
