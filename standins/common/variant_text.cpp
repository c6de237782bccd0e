#include "variant_text.h"

#include <cstdio>

namespace standin {

namespace {

std::wstring Hex(unsigned long value) {
  wchar_t text[16];
  std::swprintf(text, 16, L"0x%08lX", value);
  return text;
}

std::wstring DescribeValue(VARTYPE type, const void* data) {
  switch (type) {
    case VT_EMPTY:
      return L"VT_EMPTY";
    case VT_NULL:
      return L"VT_NULL";
    case VT_I2:
      return L"VT_I2 " + std::to_wstring(*static_cast<const SHORT*>(data));
    case VT_I4:
      return L"VT_I4 " + std::to_wstring(*static_cast<const LONG*>(data));
    case VT_BOOL:
      return *static_cast<const VARIANT_BOOL*>(data) ? L"VT_BOOL true" : L"VT_BOOL false";
    case VT_BSTR: {
      const BSTR text = *static_cast<const BSTR*>(data);
      return L"VT_BSTR " + std::wstring(text ? text : L"", text ? SysStringLen(text) : 0);
    }
    case VT_ERROR:
      return L"VT_ERROR " + Hex(static_cast<unsigned long>(*static_cast<const SCODE*>(data)));
    case VT_DISPATCH:
      return L"VT_DISPATCH";
    case VT_UNKNOWN:
      return L"VT_UNKNOWN";
    default:
      return L"VT_" + std::to_wstring(type);
  }
}

}  // namespace

bool IsMissing(const VARIANT* v) { return v == nullptr || (V_VT(v) == VT_ERROR && V_ERROR(v) == DISP_E_PARAMNOTFOUND); }

std::wstring DescribeVariant(const VARIANT* v) {
  if (IsMissing(v)) return L"missing";
  const VARTYPE type = V_VT(v);
  if (type & VT_BYREF) {
    const VARTYPE target = type & ~VT_BYREF;
    if (target == VT_VARIANT) return L"VT_BYREF|VT_VARIANT " + DescribeVariant(V_VARIANTREF(v));
    return L"VT_BYREF|" + DescribeValue(target, V_BYREF(v));
  }
  // Every VARIANT member starts at the same offset, so any one of them gives the data.
  return DescribeValue(type, &V_I4(v));
}

std::wstring HresultName(HRESULT hr) {
  switch (hr) {
    case S_OK:
      return L"S_OK";
    case DISP_E_BADPARAMCOUNT:
      return L"DISP_E_BADPARAMCOUNT";
    case DISP_E_TYPEMISMATCH:
      return L"DISP_E_TYPEMISMATCH";
    case DISP_E_MEMBERNOTFOUND:
      return L"DISP_E_MEMBERNOTFOUND";
    case DISP_E_UNKNOWNNAME:
      return L"DISP_E_UNKNOWNNAME";
    case DISP_E_PARAMNOTFOUND:
      return L"DISP_E_PARAMNOTFOUND";
    case DISP_E_NONAMEDARGS:
      return L"DISP_E_NONAMEDARGS";
    case DISP_E_EXCEPTION:
      return L"DISP_E_EXCEPTION";
    case DISP_E_UNKNOWNINTERFACE:
      return L"DISP_E_UNKNOWNINTERFACE";
    case E_FAIL:
      return L"E_FAIL";
    case E_INVALIDARG:
      return L"E_INVALIDARG";
    default:
      return Hex(static_cast<unsigned long>(hr));
  }
}

}  // namespace standin
