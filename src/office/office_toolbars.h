// Remove mode's Office clean-up: the add-in's command bar in six Office applications and its
// e-mail button on the Access toolbars, through Office automation.
#pragma once

#include <string>

#include "platform/automation.h"
#include "platform/platform.h"

namespace kelvano {

// Every application in turn, then Access. Ignores every failure: an application that is not
// installed or fails part-way is skipped, and nothing is reported.
void RemoveOfficeToolbars(Platform& platform);

// Starts one application, deletes the bar named ToolbarName, and quits the application.
// Failures propagate; the application's reference is released either way.
void RemoveAppToolbar(Automation& automation, const std::wstring& progId);

}  // namespace kelvano
