#include "platform/win32/automation_win32.h"

#include <vector>

namespace kelvano::win32 {

namespace {

// IDispatch's and IEnumVARIANT's ids, spelled out: the uuid library's definitions come with
// a few kilobytes of unrelated ids.
constexpr IID kIidDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kIidEnumVariant = {0x00020404, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

std::wstring SystemMessage(HRESULT hr) {
  wchar_t* buffer = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
  LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  return text.empty() ? L"Automation error" : text;
}

// The text of a BSTR the server left in an EXCEPINFO, which is ours to free.
std::wstring TakeBstr(BSTR& bstr) { return UniqueBstr::Attach(std::exchange(bstr, nullptr)).Text(); }

GUID ParseGuid(const std::wstring& text) {
  GUID guid{};
  if (FAILED(CLSIDFromString(text.c_str(), &guid))) throw errors::CannotCreateObject();
  return guid;
}

// The IEnumVARIANT behind a collection's _NewEnum.
class VariantEnumerator : public Enumerator {
 public:
  explicit VariantEnumerator(ComPtr<IEnumVARIANT> items) : items_(std::move(items)) {}

  bool Next(Value& item) override {
    UniqueVariant next;
    ULONG fetched = 0;
    const HRESULT hr = items_->Next(1, next.put(), &fetched);
    if (FAILED(hr)) throw ErrorFromHresult(hr);
    if (hr != S_OK || fetched != 1) return false;
    item = FromVariant(*next.get());
    return true;
  }

 private:
  ComPtr<IEnumVARIANT> items_;
};

}  // namespace

RuntimeError ErrorFromHresult(HRESULT hr, EXCEPINFO* exception) {
  switch (hr) {
    case DISP_E_EXCEPTION:
      if (exception) {
        if (exception->pfnDeferredFillIn) exception->pfnDeferredFillIn(exception);
        std::wstring description = TakeBstr(exception->bstrDescription);
        TakeBstr(exception->bstrSource);
        TakeBstr(exception->bstrHelpFile);
        const HRESULT code = exception->scode ? exception->scode : E_FAIL;
        const std::int32_t number = exception->wCode ? exception->wCode : static_cast<std::int32_t>(code);
        return {number, description.empty() ? SystemMessage(code) : description};
      }
      break;
    case DISP_E_TYPEMISMATCH:
      return errors::TypeMismatch();
    case DISP_E_OVERFLOW:
      return errors::Overflow();
    default:
      break;
  }
  return {static_cast<std::int32_t>(hr), SystemMessage(hr)};
}

Value FromVariant(const VARIANT& variant) {
  switch (V_VT(&variant)) {
    case VT_EMPTY:
      return Empty{};
    case VT_BSTR:
      return std::wstring(V_BSTR(&variant) ? V_BSTR(&variant) : L"", SysStringLen(V_BSTR(&variant)));
    case VT_ERROR:
      if (V_ERROR(&variant) == DISP_E_PARAMNOTFOUND) return Missing{};
      break;
    case VT_DISPATCH: {
      if (!V_DISPATCH(&variant)) return ObjectRef{};
      V_DISPATCH(&variant)->AddRef();
      return std::make_shared<DispatchObject>(ComPtr<IDispatch>::Attach(V_DISPATCH(&variant)));
    }
    case VT_UNKNOWN: {
      if (!V_UNKNOWN(&variant)) return ObjectRef{};
      ComPtr<IDispatch> dispatch;
      if (FAILED(V_UNKNOWN(&variant)->QueryInterface(kIidDispatch, dispatch.put_void()))) {
        throw errors::TypeMismatch();
      }
      return std::make_shared<DispatchObject>(std::move(dispatch));
    }
    default:
      break;
  }
  // Any other scalar: an integer when it converts to one, else its text.
  UniqueVariant converted;
  if (SUCCEEDED(VariantChangeType(converted.get(), const_cast<VARIANT*>(&variant), 0, VT_I4)))
    return std::int32_t{V_I4(converted.get())};
  if (SUCCEEDED(VariantChangeType(converted.put(), const_cast<VARIANT*>(&variant), 0, VT_BSTR)))
    return FromVariant(*converted.get());
  throw errors::TypeMismatch();
}

UniqueVariant ToVariant(const Value& value) {
  UniqueVariant variant;
  VARIANT* v = variant.get();
  if (std::holds_alternative<Missing>(value)) {
    V_VT(v) = VT_ERROR;
    V_ERROR(v) = DISP_E_PARAMNOTFOUND;
  } else if (const std::int32_t* number = AsInt32(value)) {
    V_VT(v) = VT_I4;
    V_I4(v) = *number;
  } else if (const std::wstring* text = AsText(value)) {
    UniqueBstr bstr(text->c_str(), static_cast<UINT>(text->size()));
    if (!bstr.get()) throw ErrorFromHresult(E_OUTOFMEMORY);
    V_VT(v) = VT_BSTR;
    V_BSTR(v) = bstr.release();
  } else if (const ObjectRef* object = std::get_if<ObjectRef>(&value)) {
    V_VT(v) = VT_DISPATCH;
    V_DISPATCH(v) = nullptr;
    if (auto* dispatch = dynamic_cast<DispatchObject*>(object->get())) {
      V_DISPATCH(v) = dispatch->get();
      dispatch->get()->AddRef();
    }
  }
  return variant;
}

DISPID DispatchObject::IdOfName(const std::wstring& name) {
  std::wstring copy = name;
  LPOLESTR names[] = {copy.data()};
  DISPID id = DISPID_UNKNOWN;
  const HRESULT hr = dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) throw ErrorFromHresult(hr);
  return id;
}

UniqueVariant DispatchObject::Invoke(DISPID id, WORD flags, const std::vector<Value>& args) {
  // IDispatch takes its arguments last to first.
  std::vector<UniqueVariant> owned;
  owned.reserve(args.size());
  for (auto it = args.rbegin(); it != args.rend(); ++it) owned.push_back(ToVariant(*it));
  std::vector<VARIANT> raw;
  raw.reserve(owned.size());
  for (UniqueVariant& v : owned) raw.push_back(*v.get());

  DISPPARAMS params{raw.empty() ? nullptr : raw.data(), nullptr, static_cast<UINT>(raw.size()), 0};
  UniqueVariant result;
  EXCEPINFO exception{};
  UINT badArgument = 0;
  const HRESULT hr =
      dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.put(), &exception, &badArgument);
  if (FAILED(hr)) throw ErrorFromHresult(hr, &exception);
  return result;
}

void DispatchObject::InvokeMethod(std::int32_t dispatchId, const std::vector<Value>& args) {
  Invoke(dispatchId, DISPATCH_METHOD, args);
}

Value DispatchObject::GetProperty(const std::wstring& name) {
  return FromVariant(*Invoke(IdOfName(name), DISPATCH_PROPERTYGET, {}).get());
}

Value DispatchObject::CallMethod(const std::wstring& name, const std::vector<Value>& args) {
  return FromVariant(*Invoke(IdOfName(name), DISPATCH_METHOD, args).get());
}

ObjectRef DispatchObject::QueryInterface(const std::wstring& interfaceId) {
  GUID iid{};
  if (FAILED(IIDFromString(interfaceId.c_str(), &iid))) throw errors::TypeMismatch();
  ComPtr<IDispatch> other;
  // Assigning an object to a variable of another interface type fails as a type mismatch.
  if (FAILED(dispatch_->QueryInterface(iid, other.put_void())) || !other) throw errors::TypeMismatch();
  return std::make_shared<DispatchObject>(std::move(other));
}

std::unique_ptr<Enumerator> DispatchObject::Enumerate() {
  UniqueVariant result = Invoke(DISPID_NEWENUM, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {});
  IUnknown* unknown = nullptr;
  if (V_VT(result.get()) == VT_UNKNOWN) unknown = V_UNKNOWN(result.get());
  if (V_VT(result.get()) == VT_DISPATCH) unknown = V_DISPATCH(result.get());
  if (!unknown) throw errors::TypeMismatch();
  ComPtr<IEnumVARIANT> items;
  const HRESULT hr = unknown->QueryInterface(kIidEnumVariant, items.put_void());
  if (FAILED(hr)) throw ErrorFromHresult(hr);
  return std::make_unique<VariantEnumerator>(std::move(items));
}

ObjectRef Win32Automation::Create(const CLSID& classId, const IID& interfaceId) {
  if (!apartment_) apartment_.emplace();
  ComPtr<IDispatch> dispatch;
  if (FAILED(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, interfaceId,
                              dispatch.put_void())) ||
      !dispatch) {
    throw errors::CannotCreateObject();
  }
  return std::make_shared<DispatchObject>(std::move(dispatch));
}

ObjectRef Win32Automation::CreateObject(const std::wstring& classId, const std::wstring& interfaceId) {
  return Create(ParseGuid(classId), ParseGuid(interfaceId));
}

ObjectRef Win32Automation::CreateObjectFromProgId(const std::wstring& progId) {
  if (!apartment_) apartment_.emplace();
  CLSID clsid{};
  if (FAILED(CLSIDFromProgID(progId.c_str(), &clsid))) throw errors::CannotCreateObject();
  return Create(clsid, kIidDispatch);
}

std::int32_t Win32Automation::ToInt32(const Value& value) {
  if (const std::int32_t* number = AsInt32(value)) return *number;
  if (IsEmpty(value)) return 0;
  const std::wstring* text = AsText(value);
  if (!text) throw errors::TypeMismatch();
  UniqueBstr bstr(text->c_str(), static_cast<UINT>(text->size()));
  LONG result = 0;
  const HRESULT hr = VarI4FromStr(bstr.get(), LOCALE_USER_DEFAULT, 0, &result);
  if (hr == DISP_E_OVERFLOW) throw errors::Overflow();
  if (FAILED(hr)) throw errors::TypeMismatch();
  return static_cast<std::int32_t>(result);
}

}  // namespace kelvano::win32
