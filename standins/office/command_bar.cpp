// CommandBar: one bar of an application; Name, Delete() and FindControl(...).
#include "office_object.h"
#include "office_objects.h"

#include "common/variant_text.h"

#include <algorithm>
#include <new>
#include <optional>
#include <type_traits>

namespace standin {

namespace {

// {000C0304-0000-0000-C000-000000000046}
constexpr IID kIidCommandBar = {0x000C0304, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

constexpr DISPID kName = 1;
constexpr DISPID kDelete = 2;
constexpr DISPID kFindControl = 3;
constexpr Member kMembers[] = {
    {L"Name", kName, {}},
    {L"Delete", kDelete, {}},
    {L"FindControl", kFindControl, {L"Type", L"Id", L"Tag", L"Visible", L"Recursive"}},
};
constexpr size_t kFindControlParams = 5;

// Custom controls, the only kind a stand-in bar holds, all have the Id 1.
constexpr long kCustomControlId = 1;

// An optional argument as a value of `type`: nullopt when missing, an error when it will not
// convert.
template <class T>
HRESULT OptionalArgument(const VARIANT* arg, VARTYPE type, std::optional<T>* out) {
  if (IsMissing(arg)) return S_OK;
  UniqueVariant converted;
  // Some SDKs declare the source non-const; it is only read.
  if (FAILED(VariantChangeType(converted.put(), const_cast<VARIANT*>(arg), 0, type))) {
    return DISP_E_TYPEMISMATCH;
  }
  if constexpr (std::is_same_v<T, std::wstring>) {
    const BSTR text = V_BSTR(&converted.get());
    *out = std::wstring(text ? text : L"", SysStringLen(text));
  } else {
    *out = V_I4(&converted.get());
  }
  return S_OK;
}

class CommandBar final : public OfficeObject {
 public:
  CommandBar(int app, const StoredBar& bar)
      : OfficeObject(app, L"bar[" + bar.name + L"]"), barId_(bar.id), name_(bar.name) {}

 protected:
  std::span<const Member> Members() const override { return kMembers; }
  bool Answers(REFIID iid) const override { return IsEqualIID(iid, kIidCommandBar); }

  HRESULT Call(DISPID id, WORD flags, const DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
               UINT* argErr) override {
    switch (id) {
      case kName:
        return Name(flags, params, result, exception, argErr);
      case kDelete:
        return Delete(flags, params, exception, argErr);
      case kFindControl:
        return FindControl(flags, params, result, exception, argErr);
      default:
        return Reject(L"Invoke[" + std::to_wstring(id) + L"](" + DescribeArguments(params) + L")",
                      DISP_E_MEMBERNOTFOUND);
    }
  }

 private:
  HRESULT Name(WORD flags, const DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception, UINT* argErr) {
    DispatchArgs args;
    if (!(flags & DISPATCH_PROPERTYGET)) return Reject(L"Name", DISP_E_MEMBERNOTFOUND);
    if (const HRESULT hr = DispatchArgs::Bind(params, 0, 0, &args, argErr); FAILED(hr)) {
      return Reject(L"Name(" + DescribeArguments(params) + L")", hr);
    }
    if (const HRESULT hr = FailIfRuled(L"Name", L"Name", exception); FAILED(hr)) return hr;
    Log(L"Name");
    if (result) {
      V_VT(result) = VT_BSTR;
      V_BSTR(result) = SysAllocStringLen(name_.data(), static_cast<UINT>(name_.size()));
    }
    return S_OK;
  }

  HRESULT Delete(WORD flags, const DISPPARAMS* params, EXCEPINFO* exception, UINT* argErr) {
    const std::wstring called = L"Delete(" + DescribeArguments(params) + L")";
    if (!(flags & DISPATCH_METHOD)) return Reject(called, DISP_E_MEMBERNOTFOUND);
    DispatchArgs args;
    if (const HRESULT hr = DispatchArgs::Bind(params, 0, 0, &args, argErr); FAILED(hr)) {
      return Reject(called, hr);
    }
    if (const HRESULT hr = FailIfRuled(L"Delete", called, exception); FAILED(hr)) return hr;
    bool removed = false;
    ModifyBars(OfficeProgId(app()), [&](std::vector<StoredBar>& bars) {
      removed = std::erase_if(bars, [&](const StoredBar& b) { return b.id == barId_; }) > 0;
    });
    if (!removed) return Raise(called, L"The command bar has been deleted", exception);
    Log(called);
    return S_OK;
  }

  HRESULT FindControl(WORD flags, const DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception, UINT* argErr) {
    DispatchArgs args;
    const HRESULT bound = DispatchArgs::Bind(params, 0, kFindControlParams, &args, argErr);
    if (FAILED(bound)) return Reject(L"FindControl(" + DescribeArguments(params) + L")", bound);
    // Every parameter in the log, omitted ones as "missing", named ones in their place.
    std::wstring called = L"FindControl(";
    for (size_t p = 0; p < kFindControlParams; ++p) {
      called += (p ? L", " : L"") + DescribeVariant(args.at(p));
    }
    called += L")";
    if (!(flags & DISPATCH_METHOD)) return Reject(called, DISP_E_MEMBERNOTFOUND);

    std::optional<long> type;
    std::optional<long> controlId;
    std::optional<std::wstring> tag;
    const struct {
      size_t position;
      HRESULT hr;
    } conversions[] = {
        {0, OptionalArgument(args.at(0), VT_I4, &type)},
        {1, OptionalArgument(args.at(1), VT_I4, &controlId)},
        {2, OptionalArgument(args.at(2), VT_BSTR, &tag)},
    };
    for (const auto& c : conversions) {
      if (FAILED(c.hr)) {
        if (argErr) *argErr = args.rgIndex(c.position);
        return Reject(called, c.hr);
      }
    }
    if (const HRESULT hr = FailIfRuled(L"FindControl", called, exception); FAILED(hr)) return hr;

    const auto bars = LoadBars(OfficeProgId(app()));
    const auto bar = std::find_if(bars.begin(), bars.end(), [&](const StoredBar& b) { return b.id == barId_; });
    if (bar == bars.end()) return Raise(called, L"The command bar has been deleted", exception);
    Log(called);
    for (const auto& control : bar->controls) {
      if ((!type || *type == control.type) && (!controlId || *controlId == kCustomControlId) &&
          (!tag || *tag == control.tag)) {
        ReturnDispatch(result, MakeCommandBarControl(app(), barId_, control).get());
        return S_OK;
      }
    }
    ReturnDispatch(result, nullptr);  // Nothing
    return S_OK;
  }

  int barId_;
  std::wstring name_;
};

}  // namespace

ComPtr<IDispatch> MakeCommandBar(int app, const StoredBar& bar) {
  return ComPtr<IDispatch>::Attach(new (std::nothrow) CommandBar(app, bar));
}

}  // namespace standin
