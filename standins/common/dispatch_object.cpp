#include "dispatch_object.h"

#include "module_count.h"
#include "variant_text.h"

#include <algorithm>

namespace standin {

HRESULT DispatchArgs::Bind(const DISPPARAMS* params, size_t required, size_t maximum, DispatchArgs* out, UINT* argErr) {
  const UINT total = params ? params->cArgs : 0;
  const UINT named = params ? params->cNamedArgs : 0;
  if (named > total) return E_INVALIDARG;
  const size_t positional = total - named;
  if (positional > maximum) return DISP_E_BADPARAMCOUNT;

  size_t count = positional;
  for (UINT n = 0; n < named; ++n) {
    const DISPID position = params->rgdispidNamedArgs[n];
    if (position < 0 || static_cast<size_t>(position) >= maximum) {
      if (argErr) *argErr = n;
      return DISP_E_PARAMNOTFOUND;
    }
    count = std::max(count, static_cast<size_t>(position) + 1);
  }
  out->args_.assign(count, nullptr);
  out->indexes_.assign(count, 0);
  for (size_t p = 0; p < positional; ++p) {
    const UINT index = static_cast<UINT>(total - 1 - p);
    out->args_[p] = &params->rgvarg[index];
    out->indexes_[p] = index;
  }
  for (UINT n = 0; n < named; ++n) {
    const auto position = static_cast<size_t>(params->rgdispidNamedArgs[n]);
    out->args_[position] = &params->rgvarg[n];
    out->indexes_[position] = n;
  }
  for (size_t p = 0; p < required; ++p) {
    if (p >= count || out->args_[p] == nullptr) return DISP_E_BADPARAMCOUNT;
  }
  return S_OK;
}

HRESULT RaiseDispatchException(EXCEPINFO* info, const wchar_t* source, const wchar_t* description, HRESULT scode) {
  if (info) {
    *info = EXCEPINFO{};
    info->bstrSource = SysAllocString(source);
    info->bstrDescription = SysAllocString(description);
    info->scode = scode;
  }
  return DISP_E_EXCEPTION;
}

std::wstring DescribeArguments(const DISPPARAMS* params) {
  std::wstring text;
  for (UINT n = params ? params->cArgs : 0; n > 0; --n) {
    if (!text.empty()) text += L", ";
    text += DescribeVariant(&params->rgvarg[n - 1]);
  }
  return text;
}

void ReturnDispatch(VARIANT* result, IDispatch* object) {
  if (!result) return;
  VariantInit(result);
  V_VT(result) = VT_DISPATCH;
  V_DISPATCH(result) = object;
  if (object) object->AddRef();
}

DispatchObject::DispatchObject(std::atomic<long>& alive) : alive_(alive) {
  ++alive_;
  AddModuleReference();
}

DispatchObject::~DispatchObject() {
  --alive_;
  ReleaseModuleReference();
}

HRESULT DispatchObject::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || Answers(iid)) {
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG DispatchObject::AddRef() { return static_cast<ULONG>(++references_); }

ULONG DispatchObject::Release() {
  const long left = --references_;
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT DispatchObject::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT DispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return DISP_E_BADINDEX;
}

namespace {

bool SameName(const wchar_t* a, const wchar_t* b) { return CompareStringOrdinal(a, -1, b, -1, TRUE) == CSTR_EQUAL; }

}  // namespace

HRESULT DispatchObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (!names || !ids || count == 0) return E_INVALIDARG;
  const Member* found = nullptr;
  for (const auto& member : Members()) {
    if (SameName(member.name, names[0])) found = &member;
  }
  HRESULT hr = S_OK;
  if (found) {
    ids[0] = found->id;
  } else {
    ids[0] = DISPID_UNKNOWN;
    OnUnknownName(names[0]);
    hr = DISP_E_UNKNOWNNAME;
  }
  // The other names are parameter names: their positions, for named arguments.
  for (UINT n = 1; n < count; ++n) {
    ids[n] = DISPID_UNKNOWN;
    for (size_t p = 0; found && p < found->params.size() && found->params[p]; ++p) {
      if (SameName(found->params[p], names[n])) ids[n] = static_cast<DISPID>(p);
    }
    if (ids[n] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
  }
  return hr;
}

HRESULT DispatchObject::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                               EXCEPINFO* exception, UINT* argErr) {
  if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (result) VariantInit(result);
  return Call(id, flags, params, result, exception, argErr);
}

}  // namespace standin
