// The program's entry: runs the mode the command line names.
#pragma once

#include "platform/platform.h"

namespace kelvano {

// Runs every matching mode of the mode table; a run-time error that no mode handles passes
// to the caller, which reports it and ends the process.
void Main(Platform& platform);

}  // namespace kelvano
