// A reference to a late-bound object that creates its object on first use while empty.
#pragma once

#include <functional>

#include "platform/automation.h"

namespace kelvano {

class AutomationHolder {
 public:
  using Factory = std::function<ObjectRef()>;

  explicit AutomationHolder(Factory create) : create_(std::move(create)) {}

  // The held object; when empty, a new one is created first (which may raise).
  AutomationObject& Object() {
    if (!object_) object_ = create_();
    return *object_;
  }
  // Releases the object.
  void Clear() noexcept { object_.reset(); }
  bool IsEmpty() const noexcept { return !object_; }

 private:
  Factory create_;
  ObjectRef object_;
};

}  // namespace kelvano
