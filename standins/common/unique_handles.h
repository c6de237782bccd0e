// Owners for the Windows resources the stand-ins use: registry keys, kernel handles,
// COM references, BSTRs and VARIANTs. Shaped like std::unique_ptr (get/put/release/reset),
// so no code outside this file closes or releases anything by hand.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstddef>
#include <utility>

namespace standin {

template <class Handle, class Traits>
class UniqueResource {
 public:
  UniqueResource() = default;
  explicit UniqueResource(Handle h) : handle_(h) {}
  UniqueResource(UniqueResource&& other) noexcept : handle_(other.release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    reset(other.release());
    return *this;
  }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  ~UniqueResource() { reset(); }

  Handle get() const { return handle_; }
  Handle* put() {
    reset();
    return &handle_;
  }
  Handle release() { return std::exchange(handle_, Traits::Invalid()); }
  void reset(Handle h = Traits::Invalid()) {
    Handle old = std::exchange(handle_, h);
    if (old != Traits::Invalid()) Traits::Close(old);
  }
  explicit operator bool() const { return handle_ != Traits::Invalid(); }

 private:
  Handle handle_ = Traits::Invalid();
};

struct HKeyTraits {
  static HKEY Invalid() { return nullptr; }
  static void Close(HKEY key) { RegCloseKey(key); }
};
struct HandleTraits {
  static HANDLE Invalid() { return nullptr; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
struct BstrTraits {
  static BSTR Invalid() { return nullptr; }
  static void Close(BSTR s) { SysFreeString(s); }
};

using UniqueHKey = UniqueResource<HKEY, HKeyTraits>;
using UniqueHandle = UniqueResource<HANDLE, HandleTraits>;
using UniqueBstr = UniqueResource<BSTR, BstrTraits>;

// A reference-counted COM interface pointer.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  ComPtr(const ComPtr& other) : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComPtr() { reset(); }

  // Takes over a reference the caller already owns.
  static ComPtr Attach(T* p) {
    ComPtr result;
    result.p_ = p;
    return result;
  }
  // Adds a reference of its own.
  static ComPtr Retain(T* p) {
    if (p) p->AddRef();
    return Attach(p);
  }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T** put() {
    reset();
    return &p_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }
  T* detach() { return std::exchange(p_, nullptr); }
  void reset() {
    if (T* old = std::exchange(p_, nullptr)) old->Release();
  }
  explicit operator bool() const { return p_ != nullptr; }

  template <class U>
  HRESULT QueryTo(REFIID iid, ComPtr<U>* out) const {
    return p_ ? p_->QueryInterface(iid, out->put_void()) : E_POINTER;
  }

 private:
  T* p_ = nullptr;
};

// A VARIANT that is cleared when it goes.
class UniqueVariant {
 public:
  UniqueVariant() { VariantInit(&v_); }
  UniqueVariant(UniqueVariant&& other) noexcept : v_(other.release()) {}
  UniqueVariant& operator=(UniqueVariant&& other) noexcept {
    if (this != &other) {
      VariantClear(&v_);
      v_ = other.release();
    }
    return *this;
  }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;
  ~UniqueVariant() { VariantClear(&v_); }

  const VARIANT& get() const { return v_; }
  VARIANT* put() {
    VariantClear(&v_);
    return &v_;
  }
  // Hands the content over to a caller-owned VARIANT (e.g. an out parameter).
  VARIANT release() {
    VARIANT out = v_;
    VariantInit(&v_);
    return out;
  }

 private:
  VARIANT v_;
};

}  // namespace standin
