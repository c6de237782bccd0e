// Every platform service as an in-memory double, wired into one Platform, with the current
// error record cleared: the starting point of a test of Main or of a mode.
#pragma once

#include "fake_automation.h"
#include "fake_platform.h"
#include "fake_registry.h"
#include "platform/platform.h"
#include "platform/runtime_error.h"

namespace kelvano::doubles {

struct PlatformDoubles {
  FakeAutomation automation;
  FakeRegistry registry;
  FakeWindowSystem windows;
  FakeShell shell;
  FakeProcess process;
  Platform platform{automation, registry, windows, shell, process};

  PlatformDoubles() { CurrentError().Clear(); }
  PlatformDoubles(const PlatformDoubles&) = delete;
  PlatformDoubles& operator=(const PlatformDoubles&) = delete;
};

}  // namespace kelvano::doubles
