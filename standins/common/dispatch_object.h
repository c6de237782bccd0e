// The IDispatch plumbing every stand-in object shares: reference counting, QueryInterface
// for IUnknown, IDispatch and the object's own interface ids (all answered by the dispatch
// interface, as Office's dual interfaces are), case-insensitive GetIDsOfNames over a member
// table, and the argument list of Invoke in call order.
#pragma once

#include "unique_handles.h"

#include <array>
#include <atomic>
#include <span>
#include <string>
#include <vector>

namespace standin {

struct Member {
  const wchar_t* name;
  DISPID id;
  std::array<const wchar_t*, 5> params{};  // parameter names, for named arguments
};

// The arguments of one Invoke in call order: rgvarg holds them last-first, named ones first.
class DispatchArgs {
 public:
  // Fails with DISP_E_BADPARAMCOUNT when fewer than `required` or more than `maximum` are
  // given, DISP_E_PARAMNOTFOUND for a named argument beyond `maximum`; *argErr then names
  // the offending rgvarg index where there is one.
  static HRESULT Bind(const DISPPARAMS* params, size_t required, size_t maximum, DispatchArgs* out, UINT* argErr);

  size_t size() const { return args_.size(); }
  // Null when the argument was not passed.
  const VARIANT* at(size_t position) const { return position < args_.size() ? args_[position] : nullptr; }
  // The rgvarg index of a position, for puArgErr.
  UINT rgIndex(size_t position) const { return indexes_[position]; }

 private:
  std::vector<const VARIANT*> args_;
  std::vector<UINT> indexes_;
};

// Fills EXCEPINFO the way an automation server reports a failed call; returns DISP_E_EXCEPTION.
HRESULT RaiseDispatchException(EXCEPINFO* info, const wchar_t* source, const wchar_t* description, HRESULT scode);

class DispatchObject : public IDispatch {
 public:
  // `alive` counts this object while it exists (the leak report at process end).
  explicit DispatchObject(std::atomic<long>& alive);
  DispatchObject(const DispatchObject&) = delete;
  DispatchObject& operator=(const DispatchObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* argErr) override;

 protected:
  virtual ~DispatchObject();

  virtual std::span<const Member> Members() const = 0;
  // The object's own interface ids, besides IUnknown and IDispatch.
  virtual bool Answers(REFIID iid) const = 0;
  virtual HRESULT Call(DISPID id, WORD flags, const DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                       UINT* argErr) = 0;
  // Called for a name GetIDsOfNames does not know (for the log).
  virtual void OnUnknownName(const std::wstring&) {}

 private:
  std::atomic<long> references_{1};
  std::atomic<long>& alive_;
};

// The arguments as passed, in call order, for the log: "VT_I4 1, missing".
std::wstring DescribeArguments(const DISPPARAMS* params);

// Writes an object into a result VARIANT as VT_DISPATCH (null = Nothing); no-op without one.
void ReturnDispatch(VARIANT* result, IDispatch* object);

}  // namespace standin
