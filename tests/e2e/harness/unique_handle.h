// Owners for the Windows handles the harness holds, in the shape of std::unique_ptr:
// get(), reset(), release(); nothing outside this header closes a handle by hand.
#pragma once

#include <windows.h>

#include <utility>

namespace e2e {

template <typename Handle, auto Close, Handle Invalid>
class unique_any {
 public:
  unique_any() = default;
  explicit unique_any(Handle h) : handle_(h) {}
  unique_any(const unique_any&) = delete;
  unique_any& operator=(const unique_any&) = delete;
  unique_any(unique_any&& other) noexcept : handle_(other.release()) {}
  unique_any& operator=(unique_any&& other) noexcept {
    reset(other.release());
    return *this;
  }
  ~unique_any() { reset(); }

  Handle get() const { return handle_; }
  Handle* put() {
    reset();
    return &handle_;
  }
  Handle release() { return std::exchange(handle_, Invalid); }
  void reset(Handle h = Invalid) {
    if (handle_ != Invalid) Close(handle_);
    handle_ = h;
  }
  explicit operator bool() const { return handle_ != Invalid; }

 private:
  Handle handle_ = Invalid;
};

inline void CloseKernelHandle(HANDLE h) { ::CloseHandle(h); }
inline void CloseRegistryKey(HKEY h) { ::RegCloseKey(h); }

using unique_handle = unique_any<HANDLE, CloseKernelHandle, nullptr>;
using unique_hkey = unique_any<HKEY, CloseRegistryKey, nullptr>;

}  // namespace e2e
