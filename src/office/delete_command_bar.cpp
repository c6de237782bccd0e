#include "office/delete_command_bar.h"

#include "office/command_bar_interfaces.h"

namespace kelvano {

void DeleteCommandBarByName(const Value& commandBars, const std::wstring& name) {
  const ObjectRef bar = FirstBarWhere(commandBars, [&](AutomationObject& each) { return NameOf(each) == name; });
  if (bar) bar->CallMethod(L"Delete", {});
}

}  // namespace kelvano
