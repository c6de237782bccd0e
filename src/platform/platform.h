// The services of the platform the core runs on, handed to every mode.
#pragma once

#include "platform/automation.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/window_system.h"

namespace kelvano {

struct Platform {
  Automation& automation;
  Registry& registry;
  WindowSystem& windows;
  Shell& shell;
  Process& process;
};

}  // namespace kelvano
