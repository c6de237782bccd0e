// Any command line, any length: through Main's split, trim and mode table down to the
// poll handle's conversion and the modes themselves, against the in-memory doubles. Every
// run must end in one of the documented outcomes: a normal return, a run-time error for
// the report, or the immediate end of the web-page modes; and leave no object alive.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "../unit/fake_driver.h"
#include "platform_doubles.h"
#include "main/main.h"
#include "platform/runtime_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvano;
  // The bytes are the command line's UTF-16 code units, as GetCommandLineW gives them.
  std::wstring commandLine;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    commandLine.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
  }

  {
    // No host window exists: a watch ends at its first check.
    doubles::PlatformDoubles fakes;
    testing::RegisterFakeDriver(fakes.automation);
    fakes.process.commandLine = commandLine;
    try {
      Main(fakes.platform);
    } catch (const RuntimeError& error) {
      if (error.Number() == 0 || RuntimeErrorReportText(error).empty()) std::abort();
    } catch (const doubles::ProcessEnded&) {
      if (fakes.shell.calls.size() != 1) std::abort();
    }
    if (fakes.registry.OpenHandles() != 0) std::abort();
  }
  if (doubles::FakeObject::Alive() != 0) std::abort();
  return 0;
}
