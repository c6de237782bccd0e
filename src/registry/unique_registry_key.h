// Owner of one open registry key: the destructor closes it, so no path through the registry
// helpers leaves a key open, the ones that raise an error included.
#pragma once

#include <utility>

#include "platform/registry.h"

namespace kelvano {

class UniqueRegistryKey {
 public:
  explicit UniqueRegistryKey(Registry& registry) noexcept : registry_(&registry) {}
  UniqueRegistryKey(const UniqueRegistryKey&) = delete;
  UniqueRegistryKey& operator=(const UniqueRegistryKey&) = delete;
  UniqueRegistryKey(UniqueRegistryKey&& other) noexcept
      : registry_(other.registry_), key_(std::exchange(other.key_, 0)) {}
  UniqueRegistryKey& operator=(UniqueRegistryKey&& other) noexcept {
    if (this != &other) {
      reset();
      registry_ = other.registry_;
      key_ = std::exchange(other.key_, 0);
    }
    return *this;
  }
  ~UniqueRegistryKey() { reset(); }

  RegistryKey get() const noexcept { return key_; }
  explicit operator bool() const noexcept { return key_ != 0; }

  // Closes what is held (its status is of no use to anyone).
  void reset() noexcept {
    if (const RegistryKey old = std::exchange(key_, 0)) registry_->CloseKey(old);
  }
  // Closes what is held and hands out the slot for an out-parameter.
  RegistryKey& put() noexcept {
    reset();
    return key_;
  }
  RegistryKey release() noexcept { return std::exchange(key_, 0); }

 private:
  Registry* registry_;
  RegistryKey key_ = 0;
};

}  // namespace kelvano
