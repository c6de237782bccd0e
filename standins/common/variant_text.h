// Text forms of automation values for the stand-ins' logs.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace standin {

// True for an omitted argument: not passed at all (null) or VT_ERROR DISP_E_PARAMNOTFOUND.
bool IsMissing(const VARIANT* v);

// "missing", "VT_I4 1", "VT_BSTR text", "VT_BOOL true", "VT_EMPTY", "VT_DISPATCH",
// "VT_BYREF|VT_BSTR text", "VT_ERROR 0x80020005", or "VT_<number>" for anything else.
std::wstring DescribeVariant(const VARIANT* v);

// "DISP_E_TYPEMISMATCH" and friends for the codes the stand-ins return, else "0x8..."
std::wstring HresultName(HRESULT hr);

}  // namespace standin
