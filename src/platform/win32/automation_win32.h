// Automation through COM: CoCreateInstance, IDispatch, IEnumVARIANT.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/automation.h"
#include "platform/runtime_error.h"
#include "platform/win32/com.h"

namespace kelvano::win32 {

// The run-time error for a failed automation call, as an automation client shows it.
RuntimeError ErrorFromHresult(HRESULT hr, EXCEPINFO* exception = nullptr);

Value FromVariant(const VARIANT& variant);
// The variant for an argument, owned by the caller.
UniqueVariant ToVariant(const Value& value);

class DispatchObject : public AutomationObject {
 public:
  explicit DispatchObject(ComPtr<IDispatch> dispatch) : dispatch_(std::move(dispatch)) {}

  void InvokeMethod(std::int32_t dispatchId, const std::vector<Value>& args) override;
  Value GetProperty(const std::wstring& name) override;
  Value CallMethod(const std::wstring& name, const std::vector<Value>& args) override;
  ObjectRef QueryInterface(const std::wstring& interfaceId) override;
  std::unique_ptr<Enumerator> Enumerate() override;

  IDispatch* get() const noexcept { return dispatch_.get(); }

 private:
  DISPID IdOfName(const std::wstring& name);
  UniqueVariant Invoke(DISPID id, WORD flags, const std::vector<Value>& args);

  ComPtr<IDispatch> dispatch_;
};

// COM is initialised on the first creation only, so runs that create nothing (an unknown
// word, the web pages, a bad poll handle) never load it. Destroy the objects first: the
// apartment ends with this object.
class Win32Automation : public Automation {
 public:
  ObjectRef CreateObject(const std::wstring& classId, const std::wstring& interfaceId) override;
  ObjectRef CreateObjectFromProgId(const std::wstring& progId) override;
  std::int32_t ToInt32(const Value& value) override;

 private:
  ObjectRef Create(const CLSID& classId, const IID& interfaceId);

  std::optional<ComApartment> apartment_;
};

}  // namespace kelvano::win32
