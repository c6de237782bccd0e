// Application: the object CreateObject("<App>.Application") returns.
#include "office_object.h"
#include "office_objects.h"

#include "common/store.h"
#include "common/variant_text.h"

#include <new>

namespace standin {

namespace {

constexpr DISPID kCommandBars = 1;
constexpr DISPID kQuit = 2;
constexpr Member kMembers[] = {
    {L"CommandBars", kCommandBars, {}},
    // Word's Quit takes three optional arguments; the others take none or fewer.
    {L"Quit", kQuit, {L"SaveChanges", L"OriginalFormat", L"RouteDocument"}},
};

class Application final : public OfficeObject {
 public:
  explicit Application(int app) : OfficeObject(app, L"") {}

 protected:
  std::span<const Member> Members() const override { return kMembers; }
  bool Answers(REFIID) const override { return false; }

  HRESULT Call(DISPID id, WORD flags, const DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
               UINT* argErr) override {
    DispatchArgs args;
    switch (id) {
      case kCommandBars: {
        const std::wstring called = L"CommandBars";
        if (!(flags & DISPATCH_PROPERTYGET)) return Reject(called, DISP_E_MEMBERNOTFOUND);
        if (const HRESULT hr = DispatchArgs::Bind(params, 0, 0, &args, argErr); FAILED(hr)) {
          return Reject(called + L"(" + DescribeArguments(params) + L")", hr);
        }
        if (const HRESULT hr = FailIfRuled(L"CommandBars", called, exception); FAILED(hr)) return hr;
        Log(called);
        ReturnDispatch(result, MakeCommandBars(app()).get());
        return S_OK;
      }
      case kQuit: {
        const std::wstring called = L"Quit(" + DescribeArguments(params) + L")";
        if (!(flags & DISPATCH_METHOD)) return Reject(called, DISP_E_MEMBERNOTFOUND);
        if (const HRESULT hr = DispatchArgs::Bind(params, 0, 3, &args, argErr); FAILED(hr)) {
          return Reject(called, hr);
        }
        if (const HRESULT hr = FailIfRuled(L"Quit", called, exception); FAILED(hr)) return hr;
        Log(called);
        return S_OK;
      }
      default:
        return Reject(L"Invoke[" + std::to_wstring(id) + L"](" + DescribeArguments(params) + L")",
                      DISP_E_MEMBERNOTFOUND);
    }
  }
};

}  // namespace

HRESULT CreateOfficeApplication(int app, REFIID iid, void** out) {
  if (OfficeCallFails(app, L"create")) {
    OfficeLog(app, L"create failed");
    return CO_E_SERVER_EXEC_FAILURE;
  }
  auto* application = new (std::nothrow) Application(app);
  if (!application) return E_OUTOFMEMORY;
  const HRESULT hr = application->QueryInterface(iid, out);
  application->Release();
  OfficeLog(app, SUCCEEDED(hr) ? L"create" : L"create -> " + HresultName(hr));
  return hr;
}

}  // namespace standin
