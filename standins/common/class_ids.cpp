#include "class_ids.h"

namespace standin {

int OfficeAppIndex(std::wstring_view progId) {
  for (size_t i = 0; i < kOfficeApps.size(); ++i) {
    if (CompareStringOrdinal(kOfficeApps[i].progId, -1, progId.data(), static_cast<int>(progId.size()), TRUE) ==
        CSTR_EQUAL) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int OfficeAppIndex(REFCLSID clsid) {
  for (size_t i = 0; i < kOfficeApps.size(); ++i) {
    if (IsEqualCLSID(kOfficeApps[i].clsid, clsid)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace standin
