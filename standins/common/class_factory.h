// A class factory that hands creation to a function of the server's own.
#pragma once

#include <windows.h>
#include <objbase.h>

namespace standin {

class ClassFactory final : public IClassFactory {
 public:
  using CreateFunction = HRESULT (*)(int classIndex, REFIID iid, void** out);

  // Returns the factory as `iid` through *out (reference owned by the caller).
  static HRESULT Make(CreateFunction create, int classIndex, REFIID iid, void** out);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  ClassFactory(CreateFunction create, int classIndex);
  ~ClassFactory();

  long references_ = 1;
  CreateFunction create_;
  int classIndex_;
};

}  // namespace standin
