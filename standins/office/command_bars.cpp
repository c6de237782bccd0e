// CommandBars: the collection of an application's bars, enumerated through _NewEnum.
#include "office_object.h"
#include "office_objects.h"

#include "common/module_count.h"
#include "common/variant_text.h"

#include <algorithm>
#include <new>

namespace standin {

namespace {

// {000C0302-0000-0000-C000-000000000046}
constexpr IID kIidCommandBars = {0x000C0302, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

constexpr Member kMembers[] = {
    {L"_NewEnum", DISPID_NEWENUM, {}},
};

class CommandBars final : public OfficeObject {
 public:
  explicit CommandBars(int app) : OfficeObject(app, L"CommandBars") {}

 protected:
  std::span<const Member> Members() const override { return kMembers; }
  bool Answers(REFIID iid) const override { return IsEqualIID(iid, kIidCommandBars); }

  HRESULT Call(DISPID id, WORD flags, const DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
               UINT* argErr) override {
    const std::wstring name = id == DISPID_NEWENUM ? L"_NewEnum" : L"Invoke[" + std::to_wstring(id) + L"]";
    if (id != DISPID_NEWENUM || !(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) {
      return Reject(name + L"(" + DescribeArguments(params) + L")", DISP_E_MEMBERNOTFOUND);
    }
    DispatchArgs args;
    if (const HRESULT hr = DispatchArgs::Bind(params, 0, 0, &args, argErr); FAILED(hr)) {
      return Reject(name + L"(" + DescribeArguments(params) + L")", hr);
    }
    if (const HRESULT hr = FailIfRuled(L"_NewEnum", name, exception); FAILED(hr)) return hr;
    Log(name);
    if (result) {
      V_VT(result) = VT_UNKNOWN;
      V_UNKNOWN(result) = MakeBarEnumerator(app(), LoadBars(OfficeProgId(app()))).detach();
    }
    return S_OK;
  }
};

// Walks a snapshot of the bars taken when _NewEnum was called, in the stored order.
class BarEnumerator final : public IEnumVARIANT {
 public:
  BarEnumerator(int app, std::vector<StoredBar> bars, size_t position = 0)
      : app_(app), bars_(std::move(bars)), position_(position) {
    ++g_officeAlive[app_];
    AddModuleReference();
  }
  BarEnumerator(const BarEnumerator&) = delete;
  BarEnumerator& operator=(const BarEnumerator&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IEnumVARIANT)) {
      *out = static_cast<IEnumVARIANT*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const long left = --references_;
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) override {
    if (fetched) *fetched = 0;
    if (!items || (count > 1 && !fetched)) return E_INVALIDARG;
    if (OfficeCallFails(app_, L"Next")) {
      Log(L"Next -> failed");
      return E_FAIL;
    }
    std::wstring names;
    ULONG given = 0;
    for (; given < count && position_ < bars_.size(); ++given, ++position_) {
      const StoredBar& bar = bars_[position_];
      VariantInit(&items[given]);
      V_VT(&items[given]) = VT_DISPATCH;
      V_DISPATCH(&items[given]) = MakeCommandBar(app_, bar).detach();
      names += (names.empty() ? L"bar[" : L", bar[") + bar.name + L"]";
    }
    if (fetched) *fetched = given;
    Log(L"Next -> " + (given ? names : L"end"));
    return given == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    position_ = std::min(bars_.size(), position_ + static_cast<size_t>(count));
    return position_ < bars_.size() ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    position_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
    if (!out) return E_POINTER;
    *out = new (std::nothrow) BarEnumerator(app_, bars_, position_);
    return *out ? S_OK : E_OUTOFMEMORY;
  }

 private:
  ~BarEnumerator() {
    --g_officeAlive[app_];
    ReleaseModuleReference();
  }
  void Log(const std::wstring& line) const { OfficeLog(app_, L"CommandBars." + line); }

  std::atomic<long> references_{1};
  int app_;
  std::vector<StoredBar> bars_;
  size_t position_;
};

}  // namespace

ComPtr<IDispatch> MakeCommandBars(int app) { return ComPtr<IDispatch>::Attach(new (std::nothrow) CommandBars(app)); }

ComPtr<IEnumVARIANT> MakeBarEnumerator(int app, std::vector<StoredBar> bars) {
  return ComPtr<IEnumVARIANT>::Attach(new (std::nothrow) BarEnumerator(app, std::move(bars)));
}

}  // namespace standin
