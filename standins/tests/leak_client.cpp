// A client process for the leak reports: creates stand-in objects, releases them or not,
// and ends the process, so the stand-ins' "alive N" lines come from a real process end.
//   standin_leak_client driver release|leak
//   standin_leak_client office PROGID release|leak
#include "common/class_ids.h"
#include "common/unique_handles.h"

#include <string>

namespace {

standin::ComPtr<IDispatch> CreateByProgId(const wchar_t* progId) {
  CLSID clsid{};
  standin::ComPtr<IDispatch> object;
  if (SUCCEEDED(CLSIDFromProgID(progId, &clsid))) {
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.put_void());
  }
  return object;
}

// The application and its CommandBars collection: two objects.
std::pair<standin::ComPtr<IDispatch>, standin::ComPtr<IDispatch>> OfficeObjects(const wchar_t* progId) {
  standin::ComPtr<IDispatch> app = CreateByProgId(progId);
  standin::ComPtr<IDispatch> bars;
  if (!app) return {};
  LPOLESTR name[] = {const_cast<LPOLESTR>(L"CommandBars")};
  DISPID id = 0;
  app->GetIDsOfNames(IID_NULL, name, 1, LOCALE_USER_DEFAULT, &id);
  DISPPARAMS none{};
  standin::UniqueVariant result;
  app->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, result.put(), nullptr, nullptr);
  if (V_VT(&result.get()) == VT_DISPATCH) bars = standin::ComPtr<IDispatch>::Retain(V_DISPATCH(&result.get()));
  return {app, bars};
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  const std::wstring kind = argv[1];
  const bool leak = std::wstring(argv[argc - 1]) == L"leak";
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  int status = 1;
  if (kind == L"driver") {
    standin::ComPtr<IDispatch> driver;
    CoCreateInstance(standin::kDriverClsid, nullptr, CLSCTX_INPROC_SERVER, standin::kDriverIid, driver.put_void());
    status = driver ? 0 : 1;
    if (leak) driver.detach();
  } else if (kind == L"office" && argc == 4) {
    auto [app, bars] = OfficeObjects(argv[2]);
    status = app && bars ? 0 : 1;
    if (leak) {
      app.detach();
      bars.detach();
    }
  }
  // A leaking client keeps the DLL loaded through CoUninitialize, so it reports at process end.
  CoUninitialize();
  return status;
}
