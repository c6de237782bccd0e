// Owners for COM references, BSTRs and VARIANTs, so no code releases them by hand.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <utility>

namespace kelvano::win32 {

template <class T>
class ComPtr {
 public:
  ComPtr() noexcept = default;
  ComPtr(std::nullptr_t) noexcept {}
  // Takes over a reference the caller already owns.
  static ComPtr Attach(T* raw) noexcept {
    ComPtr p;
    p.ptr_ = raw;
    return p;
  }
  ComPtr(const ComPtr& other) noexcept : ptr_(other.ptr_) {
    if (ptr_) ptr_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(ptr_, other.ptr_);
    return *this;
  }
  ~ComPtr() { reset(); }

  T* get() const noexcept { return ptr_; }
  T* operator->() const noexcept { return ptr_; }
  explicit operator bool() const noexcept { return ptr_ != nullptr; }
  void reset() noexcept {
    if (T* old = std::exchange(ptr_, nullptr)) old->Release();
  }
  // Releases what is held and hands out the slot for an out-parameter.
  T** put() noexcept {
    reset();
    return &ptr_;
  }
  void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

  template <class U>
  HRESULT As(const IID& iid, ComPtr<U>& out) const noexcept {
    return ptr_ ? ptr_->QueryInterface(iid, out.put_void()) : E_POINTER;
  }

 private:
  T* ptr_ = nullptr;
};

class UniqueBstr {
 public:
  UniqueBstr() noexcept = default;
  explicit UniqueBstr(const wchar_t* text, UINT length) : bstr_(SysAllocStringLen(text, length)) {}
  // Takes over a BSTR the caller owns, e.g. one a server left in an EXCEPINFO.
  static UniqueBstr Attach(BSTR owned) noexcept {
    UniqueBstr bstr;
    bstr.bstr_ = owned;
    return bstr;
  }
  UniqueBstr(UniqueBstr&& other) noexcept : bstr_(std::exchange(other.bstr_, nullptr)) {}
  UniqueBstr(const UniqueBstr&) = delete;
  UniqueBstr& operator=(const UniqueBstr&) = delete;
  ~UniqueBstr() { SysFreeString(bstr_); }

  BSTR get() const noexcept { return bstr_; }
  BSTR release() noexcept { return std::exchange(bstr_, nullptr); }
  std::wstring Text() const { return bstr_ ? std::wstring(bstr_, SysStringLen(bstr_)) : std::wstring(); }

 private:
  BSTR bstr_ = nullptr;
};

class UniqueVariant {
 public:
  UniqueVariant() noexcept { VariantInit(&v_); }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;
  UniqueVariant(UniqueVariant&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }
  ~UniqueVariant() { VariantClear(&v_); }

  VARIANT* get() noexcept { return &v_; }
  const VARIANT* get() const noexcept { return &v_; }
  // Clears what is held and hands out the variant for an out-parameter.
  VARIANT* put() noexcept {
    VariantClear(&v_);
    return &v_;
  }

 private:
  VARIANT v_;
};

// COM for this thread, single-threaded apartment, for the life of the object.
class ComApartment {
 public:
  ComApartment() noexcept : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (initialized_) CoUninitialize();
  }

 private:
  bool initialized_;
};

}  // namespace kelvano::win32
