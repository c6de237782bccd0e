// Deletes the add-in's button from one Access command bar.
#pragma once

#include <string>

#include "platform/value.h"

namespace kelvano {

// Finds the first bar named `barName` (exact, letter case included), asks it for the button
// tagged ButtonTag and deletes that button. Nothing found, nothing done. Ignores every
// failure: none leaves this procedure.
void DeleteTaggedButton(const Value& commandBars, const std::wstring& barName);

}  // namespace kelvano
