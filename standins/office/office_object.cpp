#include "office_object.h"

#include "common/class_ids.h"
#include "common/store.h"
#include "common/variant_text.h"

namespace standin {

std::atomic<long> g_officeAlive[kOfficeApps.size()];
std::atomic<bool> g_officeUsed[kOfficeApps.size()];

const wchar_t* OfficeProgId(int app) { return kOfficeApps[static_cast<size_t>(app)].progId; }

void OfficeLog(int app, const std::wstring& line) {
  AppendLogLine(kOfficeLog, std::wstring(OfficeProgId(app)) + L": " + line);
}

bool OfficeCallFails(int app, const wchar_t* member) {
  return CountCall(OfficeComponent(OfficeProgId(app)), member).fail;
}

OfficeObject::OfficeObject(int app, std::wstring label)
    : DispatchObject(g_officeAlive[app]), app_(app), label_(std::move(label)) {}

HRESULT OfficeObject::Reject(const std::wstring& called, HRESULT hr) const {
  Log(called + L" -> " + HresultName(hr));
  return hr;
}

HRESULT OfficeObject::FailIfRuled(const wchar_t* member, const std::wstring& line, EXCEPINFO* exception) const {
  if (!OfficeCallFails(app_, member)) return S_OK;
  const std::wstring description = std::wstring(member) + L" failed";
  return Raise(line, description.c_str(), exception);
}

HRESULT OfficeObject::Raise(const std::wstring& line, const wchar_t* description, EXCEPINFO* exception) const {
  Log(line + L" -> failed");
  return RaiseDispatchException(exception, OfficeProgId(app_), description, E_FAIL);
}

void OfficeObject::OnUnknownName(const std::wstring& name) {
  Log(L"GetIDsOfNames(" + name + L") -> DISP_E_UNKNOWNNAME");
}

}  // namespace standin
