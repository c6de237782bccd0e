#include "office/access_buttons.h"

#include "office/command_bar_interfaces.h"
#include "office/delete_tagged_button.h"
#include "office/office_names.h"
#include "registry/mod_reg.h"

namespace kelvano {

void RemoveAccessButtons(Automation& automation, Registry& registry) {
  const ObjectRef access = automation.CreateObjectFromProgId(kAccessProgId);

  if (!RegKeyExists(registry, kHkeyCurrentUser, AccessToolbarsKey)) {
    CreateRegKey(registry, kHkeyCurrentUser, AccessToolbarsKey);
    WriteRegValue(registry, automation, kHkeyCurrentUser, AccessToolbarsKey, L"ToolBar1", std::wstring(L"Database"),
                  kRegSz);
    WriteRegValue(registry, automation, kHkeyCurrentUser, AccessToolbarsKey, L"ToolBar2", std::wstring(L"Form View"),
                  kRegSz);
  }

  for (const wchar_t* valueName : {L"ToolBar1", L"ToolBar2", L"ToolBar3"}) {
    // Missing reads as empty text; a REG_DWORD as its decimal text.
    const std::wstring barName = ToText(ReadRegValue(registry, kHkeyCurrentUser, AccessToolbarsKey, valueName));
    if (barName.empty()) continue;
    DeleteTaggedButton(CommandBarsOf(*access), barName);
  }

  access->CallMethod(L"Quit", {});
}

}  // namespace kelvano
