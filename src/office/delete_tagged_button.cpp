#include "office/delete_tagged_button.h"

#include "office/command_bar_interfaces.h"
#include "office/office_names.h"
#include "platform/runtime_error.h"

namespace kelvano {

namespace {

constexpr std::int32_t kControlButton = 1;  // msoControlButton

}  // namespace

void DeleteTaggedButton(const Value& commandBars, const std::wstring& barName) {
  // A failing step of the walk ends it with no bar kept. A bar whose Name cannot be read is
  // skipped: taking it for the match could delete the button of a bar nobody listed.
  ObjectRef bar;
  ResumeNext([&] {
    bar = FirstBarWhere(commandBars, [&](AutomationObject& each) {
      bool named = false;
      ResumeNext([&] { named = NameOf(each) == barName; });
      return named;
    });
  });
  if (!bar) return;

  // A failing FindControl, or a control that is not a button, leaves no button.
  ObjectRef button;
  ResumeNext([&] {
    button = HoldAs(
        bar->CallMethod(L"FindControl", {kControlButton, Missing{}, std::wstring(ButtonTag), Missing{}, Missing{}}),
        kIidCommandBarButton);
  });
  if (!button) return;

  ResumeNext([&] { button->QueryInterface(kIidCommandBarControl)->CallMethod(L"Delete", {Missing{}}); });
}

}  // namespace kelvano
