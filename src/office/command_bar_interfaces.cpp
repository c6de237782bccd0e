#include "office/command_bar_interfaces.h"

#include "platform/runtime_error.h"

namespace kelvano {

namespace {

// An automation client's error for a member call through a Nothing reference.
RuntimeError ObjectNotSet() { return {91, L"Object variable or With block variable not set"}; }

}  // namespace

ObjectRef HoldAs(const Value& value, const wchar_t* interfaceId) {
  if (!std::holds_alternative<ObjectRef>(value)) throw errors::TypeMismatch();
  const ObjectRef object = AsObject(value);
  return object ? object->QueryInterface(interfaceId) : nullptr;
}

Value CommandBarsOf(AutomationObject& application) { return application.GetProperty(L"CommandBars"); }

ObjectRef FirstBarWhere(const Value& commandBars, const std::function<bool(AutomationObject& bar)>& matches) {
  const ObjectRef bars = HoldAs(commandBars, kIidCommandBars);
  if (!bars) throw ObjectNotSet();
  const std::unique_ptr<Enumerator> walk = bars->Enumerate();
  Value item;
  while (walk->Next(item)) {
    ObjectRef bar = HoldAs(item, kIidCommandBar);
    item = Empty{};
    if (!bar) throw ObjectNotSet();
    if (matches(*bar)) return bar;
  }
  return nullptr;
}

std::wstring NameOf(AutomationObject& bar) { return ToText(bar.GetProperty(L"Name")); }

}  // namespace kelvano
