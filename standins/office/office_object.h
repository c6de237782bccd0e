// What every object of an Office stand-in application shares: the application it belongs to
// (its ProgID prefixes each log line, its rules decide failures, its counter its leak report),
// and a label naming the object in the log ("" for the application, "CommandBars",
// "bar[Database]", "control[Ostrevan_EmailPDF]").
#pragma once

#include "common/dispatch_object.h"

#include <atomic>
#include <string>

namespace standin {

// Objects alive per application, and whether the application's class was asked for in this
// process (the DLL reports "alive N" for those at unload).
extern std::atomic<long> g_officeAlive[];
extern std::atomic<bool> g_officeUsed[];

const wchar_t* OfficeProgId(int app);
void OfficeLog(int app, const std::wstring& line);
// Counts the call and applies the application's failure rules.
bool OfficeCallFails(int app, const wchar_t* member);

class OfficeObject : public DispatchObject {
 protected:
  OfficeObject(int app, std::wstring label);

  // Logs "<label>.<line>" (just "<line>" for the application itself).
  void Log(const std::wstring& line) const { OfficeLog(app_, label_.empty() ? line : label_ + L"." + line); }
  // Logs "<label>.<called> -> <code>" and returns the code.
  HRESULT Reject(const std::wstring& called, HRESULT hr) const;
  // Applies the failure rules for `member`; on failure logs "<line> -> failed" and fills
  // the exception. Returns S_OK when the call may go on (and logs nothing then).
  HRESULT FailIfRuled(const wchar_t* member, const std::wstring& line, EXCEPINFO* exception) const;
  // An error of the call itself (e.g. the bar is gone): logged and raised like a failure.
  HRESULT Raise(const std::wstring& line, const wchar_t* description, EXCEPINFO* exception) const;

  void OnUnknownName(const std::wstring& name) override;

  int app() const { return app_; }
  const std::wstring& label() const { return label_; }

 private:
  int app_;
  std::wstring label_;
};

}  // namespace standin
