// The Office stand-in object model: Application -> CommandBars (enumerable) -> CommandBar ->
// control. Each maker returns a new object with one reference owned by the caller.
#pragma once

#include "common/office_state.h"
#include "common/unique_handles.h"

#include <vector>

namespace standin {

// Class-factory creation of application `app`: applies the "create" rule, logs "create".
HRESULT CreateOfficeApplication(int app, REFIID iid, void** out);

ComPtr<IDispatch> MakeCommandBars(int app);
ComPtr<IEnumVARIANT> MakeBarEnumerator(int app, std::vector<StoredBar> bars);
ComPtr<IDispatch> MakeCommandBar(int app, const StoredBar& bar);
ComPtr<IDispatch> MakeCommandBarControl(int app, int barId, const StoredControl& control);

}  // namespace standin
