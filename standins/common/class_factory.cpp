#include "class_factory.h"

#include "module_count.h"

#include <new>

namespace standin {

ClassFactory::ClassFactory(CreateFunction create, int classIndex) : create_(create), classIndex_(classIndex) {
  AddModuleReference();
}

ClassFactory::~ClassFactory() { ReleaseModuleReference(); }

HRESULT ClassFactory::Make(CreateFunction create, int classIndex, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  auto* factory = new (std::nothrow) ClassFactory(create, classIndex);
  if (!factory) return E_OUTOFMEMORY;
  const HRESULT hr = factory->QueryInterface(iid, out);
  factory->Release();
  return hr;
}

HRESULT ClassFactory::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
    *out = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG ClassFactory::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG ClassFactory::Release() {
  const long left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  return create_(classIndex_, iid, out);
}

HRESULT ClassFactory::LockServer(BOOL lock) {
  if (lock) {
    AddModuleReference();
  } else {
    ReleaseModuleReference();
  }
  return S_OK;
}

}  // namespace standin
