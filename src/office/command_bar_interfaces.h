// Office's command-bar interfaces, used through IDispatch on the published interface ids
// (we ship no Office type library; the interfaces are dual).
#pragma once

#include <functional>
#include <string>

#include "platform/automation.h"

namespace kelvano {

inline constexpr wchar_t kIidCommandBars[] = L"{000C0302-0000-0000-C000-000000000046}";
inline constexpr wchar_t kIidCommandBar[] = L"{000C0304-0000-0000-C000-000000000046}";
inline constexpr wchar_t kIidCommandBarControl[] = L"{000C0308-0000-0000-C000-000000000046}";
inline constexpr wchar_t kIidCommandBarButton[] = L"{000C030E-0000-0000-C000-000000000046}";

// A value held in a variable of an interface type: Nothing stays Nothing, an object is asked
// for the interface, anything else (or an object without it) is a type mismatch.
ObjectRef HoldAs(const Value& value, const wchar_t* interfaceId);

// An application's CommandBars, read by name.
Value CommandBarsOf(AutomationObject& application);

// Walks the bars of a CommandBars collection in its own order, each held as a CommandBar,
// and returns the first one `matches` accepts (Nothing when none does). Every failure
// (the collection, a step of the walk, `matches`) propagates.
ObjectRef FirstBarWhere(const Value& commandBars, const std::function<bool(AutomationObject& bar)>& matches);

// The bar's Name as text.
std::wstring NameOf(AutomationObject& bar);

}  // namespace kelvano
