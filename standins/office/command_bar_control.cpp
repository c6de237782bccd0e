// A control on a bar: answers CommandBarControl always and CommandBarButton for buttons;
// Delete(Temporary) and a few read-only properties.
#include "office_object.h"
#include "office_objects.h"

#include "common/variant_text.h"

#include <algorithm>
#include <new>

namespace standin {

namespace {

// {000C0308-0000-0000-C000-000000000046}
constexpr IID kIidCommandBarControl = {0x000C0308, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// {000C030E-0000-0000-C000-000000000046}
constexpr IID kIidCommandBarButton = {0x000C030E, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr int kButton = 1;  // msoControlButton

constexpr DISPID kDelete = 1;
constexpr DISPID kTag = 2;
constexpr DISPID kCaption = 3;
constexpr DISPID kType = 4;
constexpr Member kMembers[] = {
    {L"Delete", kDelete, {L"Temporary"}},
    {L"Tag", kTag, {}},
    {L"Caption", kCaption, {}},
    {L"Type", kType, {}},
};

class CommandBarControl final : public OfficeObject {
 public:
  CommandBarControl(int app, int barId, const StoredControl& control)
      : OfficeObject(app, L"control[" + control.tag + L"]"), barId_(barId), control_(control) {}

 protected:
  std::span<const Member> Members() const override { return kMembers; }
  bool Answers(REFIID iid) const override {
    return IsEqualIID(iid, kIidCommandBarControl) ||
           (control_.type == kButton && IsEqualIID(iid, kIidCommandBarButton));
  }

  HRESULT Call(DISPID id, WORD flags, const DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
               UINT* argErr) override {
    if (id == kDelete) return Delete(flags, params, exception, argErr);
    const Member* member = nullptr;
    for (const auto& m : kMembers) {
      if (m.id == id) member = &m;
    }
    if (!member || !(flags & DISPATCH_PROPERTYGET)) {
      return Reject((member ? std::wstring(member->name) : L"Invoke[" + std::to_wstring(id) + L"]") + L"(" +
                        DescribeArguments(params) + L")",
                    DISP_E_MEMBERNOTFOUND);
    }
    DispatchArgs args;
    if (const HRESULT hr = DispatchArgs::Bind(params, 0, 0, &args, argErr); FAILED(hr)) {
      return Reject(std::wstring(member->name) + L"(" + DescribeArguments(params) + L")", hr);
    }
    Log(member->name);
    if (!result) return S_OK;
    if (id == kType) {
      V_VT(result) = VT_I4;
      V_I4(result) = control_.type;
    } else {
      const std::wstring& text = id == kTag ? control_.tag : control_.caption;
      V_VT(result) = VT_BSTR;
      V_BSTR(result) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    }
    return S_OK;
  }

 private:
  HRESULT Delete(WORD flags, const DISPPARAMS* params, EXCEPINFO* exception, UINT* argErr) {
    DispatchArgs args;
    const HRESULT bound = DispatchArgs::Bind(params, 0, 1, &args, argErr);
    if (FAILED(bound)) return Reject(L"Delete(" + DescribeArguments(params) + L")", bound);
    const std::wstring called = L"Delete(" + DescribeVariant(args.at(0)) + L")";
    if (!(flags & DISPATCH_METHOD)) return Reject(called, DISP_E_MEMBERNOTFOUND);
    if (const HRESULT hr = FailIfRuled(L"Delete", called, exception); FAILED(hr)) return hr;
    bool removed = false;
    ModifyBars(OfficeProgId(app()), [&](std::vector<StoredBar>& bars) {
      for (auto& bar : bars) {
        if (bar.id != barId_) continue;
        removed = std::erase_if(bar.controls, [&](const StoredControl& c) { return c.id == control_.id; }) > 0;
      }
    });
    if (!removed) return Raise(called, L"The control has been deleted", exception);
    Log(called);
    return S_OK;
  }

  int barId_;
  StoredControl control_;
};

}  // namespace

ComPtr<IDispatch> MakeCommandBarControl(int app, int barId, const StoredControl& control) {
  return ComPtr<IDispatch>::Attach(new (std::nothrow) CommandBarControl(app, barId, control));
}

}  // namespace standin
