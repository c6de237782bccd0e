#include "office/office_toolbars.h"

#include "office/access_buttons.h"
#include "office/command_bar_interfaces.h"
#include "office/delete_command_bar.h"
#include "office/office_names.h"
#include "platform/runtime_error.h"

namespace kelvano {

void RemoveOfficeToolbars(Platform& platform) {
  for (const wchar_t* progId : kToolbarAppProgIds) {
    ResumeNext([&] { RemoveAppToolbar(platform.automation, progId); });
  }
  ResumeNext([&] { RemoveAccessButtons(platform.automation, platform.registry); });
}

void RemoveAppToolbar(Automation& automation, const std::wstring& progId) {
  const ObjectRef application = automation.CreateObjectFromProgId(progId);
  DeleteCommandBarByName(CommandBarsOf(*application), ToolbarName);
  application->CallMethod(L"Quit", {});
}

}  // namespace kelvano
