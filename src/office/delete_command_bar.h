// Deletes one command bar by its name.
#pragma once

#include <string>

#include "platform/value.h"

namespace kelvano {

// Deletes the first bar of the collection whose Name equals `name` exactly (letter case
// included) and stops there; no match, no change. Failures propagate.
void DeleteCommandBarByName(const Value& commandBars, const std::wstring& name);

}  // namespace kelvano
