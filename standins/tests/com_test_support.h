// What the stand-in tests share: the COM apartment, the test directory, and late-bound calls
// made the way kelvano.exe makes them (arguments in call order, reversed into rgvarg).
#pragma once

#include "common/unique_handles.h"

#include <string>
#include <vector>

namespace standin::test {

class ComApartment {
 public:
  ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() { CoUninitialize(); }
};

// The directory of the running test executable, where the stand-in DLLs are built.
std::wstring TestDirectory();

// Arguments in call order; owns the values.
class Args {
 public:
  Args() = default;
  Args(const Args&) = delete;
  Args& operator=(const Args&) = delete;
  ~Args();

  Args& Bstr(const wchar_t* text);
  Args& BstrByRef(const wchar_t* text);  // VT_BYREF|VT_BSTR (one per Args)
  Args& I4(long value);
  Args& Missing();               // VT_ERROR DISP_E_PARAMNOTFOUND
  Args& Named(DISPID position);  // makes the last argument added a named one

  DISPPARAMS Params();

 private:
  std::vector<VARIANT> values_;
  std::vector<DISPID> namedPositions_;  // for the last namedPositions_.size() values
  std::vector<VARIANT> reversed_;
  std::vector<DISPID> namedIds_;
  UniqueBstr byRefOwner_;
  BSTR byRefTarget_ = nullptr;  // owned by byRefOwner_; its address goes into the VARIANT
};

struct CallResult {
  HRESULT hr = E_FAIL;
  UniqueVariant value;
  std::wstring description;  // EXCEPINFO's, when the call raised
  SCODE scode = 0;
  UINT argErr = ~0u;
};

CallResult Invoke(IDispatch* object, DISPID id, WORD flags, Args& args);
CallResult Invoke(IDispatch* object, DISPID id, WORD flags);
// By member name, resolved with GetIDsOfNames (DISPID_UNKNOWN when the name is unknown).
DISPID IdOf(IDispatch* object, const wchar_t* name);
CallResult CallByName(IDispatch* object, const wchar_t* name, WORD flags, Args& args);
CallResult CallByName(IDispatch* object, const wchar_t* name, WORD flags);

// Runs standin_leak_client.exe with the arguments and waits for it; returns its exit code.
DWORD RunLeakClient(const std::wstring& arguments);

}  // namespace standin::test
