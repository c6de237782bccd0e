#include "com_test_support.h"

namespace standin::test {

std::wstring TestDirectory() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring directory(path, length);
  return directory.substr(0, directory.find_last_of(L"\\/"));
}

Args::~Args() {
  for (auto& value : values_) VariantClear(&value);
}

Args& Args::Bstr(const wchar_t* text) {
  VARIANT& v = values_.emplace_back();
  VariantInit(&v);
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = SysAllocString(text);
  return *this;
}

Args& Args::BstrByRef(const wchar_t* text) {
  byRefOwner_.reset(SysAllocString(text));
  byRefTarget_ = byRefOwner_.get();
  VARIANT& v = values_.emplace_back();
  VariantInit(&v);
  V_VT(&v) = VT_BSTR | VT_BYREF;
  V_BSTRREF(&v) = &byRefTarget_;
  return *this;
}

Args& Args::I4(long value) {
  VARIANT& v = values_.emplace_back();
  VariantInit(&v);
  V_VT(&v) = VT_I4;
  V_I4(&v) = value;
  return *this;
}

Args& Args::Missing() {
  VARIANT& v = values_.emplace_back();
  VariantInit(&v);
  V_VT(&v) = VT_ERROR;
  V_ERROR(&v) = DISP_E_PARAMNOTFOUND;
  return *this;
}

Args& Args::Named(DISPID position) {
  namedPositions_.push_back(position);
  return *this;
}

DISPPARAMS Args::Params() {
  // rgvarg: named arguments first, then the positional ones last-first.
  const size_t named = namedPositions_.size();
  const size_t positional = values_.size() - named;
  reversed_.clear();
  namedIds_.clear();
  for (size_t n = 0; n < named; ++n) {
    reversed_.push_back(values_[positional + n]);
    namedIds_.push_back(namedPositions_[n]);
  }
  for (size_t p = positional; p > 0; --p) reversed_.push_back(values_[p - 1]);
  return DISPPARAMS{reversed_.data(), namedIds_.data(), static_cast<UINT>(reversed_.size()), static_cast<UINT>(named)};
}

CallResult Invoke(IDispatch* object, DISPID id, WORD flags, Args& args) {
  CallResult result;
  DISPPARAMS params = args.Params();
  EXCEPINFO exception{};
  result.hr =
      object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.value.put(), &exception, &result.argErr);
  const UniqueBstr source(exception.bstrSource);
  const UniqueBstr description(exception.bstrDescription);
  const UniqueBstr helpFile(exception.bstrHelpFile);
  if (description) result.description = description.get();
  result.scode = exception.scode;
  return result;
}

CallResult Invoke(IDispatch* object, DISPID id, WORD flags) {
  Args none;
  return Invoke(object, id, flags, none);
}

DISPID IdOf(IDispatch* object, const wchar_t* name) {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  return id;
}

CallResult CallByName(IDispatch* object, const wchar_t* name, WORD flags, Args& args) {
  return Invoke(object, IdOf(object, name), flags, args);
}

CallResult CallByName(IDispatch* object, const wchar_t* name, WORD flags) {
  Args none;
  return CallByName(object, name, flags, none);
}

DWORD RunLeakClient(const std::wstring& arguments) {
  const std::wstring program = TestDirectory() + L"\\standin_leak_client.exe";
  std::wstring commandLine = L"\"" + program + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return ~0u;
  }
  const UniqueHandle processHandle(process.hProcess);
  const UniqueHandle threadHandle(process.hThread);
  WaitForSingleObject(processHandle.get(), 30000);
  DWORD exitCode = ~0u;
  GetExitCodeProcess(processHandle.get(), &exitCode);
  return exitCode;
}

}  // namespace standin::test
