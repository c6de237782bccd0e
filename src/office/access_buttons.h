// The Access step of the clean-up: the add-in's button on the Access toolbars listed in the
// registry.
#pragma once

#include "platform/automation.h"
#include "platform/registry.h"

namespace kelvano {

// Starts Access, seeds AccessToolbarsKey when it is missing ("Database", "Form View"),
// deletes the tagged button from each bar named by ToolBar1..ToolBar3, and quits Access.
// Failures propagate, except those inside DeleteTaggedButton.
void RemoveAccessButtons(Automation& automation, Registry& registry);

}  // namespace kelvano
