// Removes the add-in's command bars and its Access button through Office automation.
#pragma once

#include "platform/platform.h"

namespace kelvano {

void RemoveOfficeToolbars(Platform& platform);

}  // namespace kelvano
