// Late-bound automation (COM IDispatch) as the core sees it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/value.h"

namespace kelvano {

// Walks a collection's _NewEnum.
class Enumerator {
 public:
  virtual ~Enumerator() = default;
  // The next item, or false at the end; a failing step raises a RuntimeError.
  virtual bool Next(Value& item) = 0;
};

// One reference to an automation object; destroying it releases the reference.
// Every call that fails raises a RuntimeError.
class AutomationObject {
 public:
  virtual ~AutomationObject() = default;

  // Method call by dispatch id; the result is not read.
  virtual void InvokeMethod(std::int32_t dispatchId, const std::vector<Value>& args) = 0;
  // Property read and method call by member name (names resolved by the object).
  virtual Value GetProperty(const std::wstring& name) = 0;
  virtual Value CallMethod(const std::wstring& name, const std::vector<Value>& args) = 0;
  // The same object through another of its interfaces, e.g. "{000C0304-0000-0000-C000-000000000046}";
  // a type mismatch when the object has no such interface.
  virtual ObjectRef QueryInterface(const std::wstring& interfaceId) = 0;
  // The collection's enumerator (DISPID_NEWENUM).
  virtual std::unique_ptr<Enumerator> Enumerate() = 0;
};

class Automation {
 public:
  virtual ~Automation() = default;

  // An object of a class, used through the given interface (in-process or local server).
  virtual ObjectRef CreateObject(const std::wstring& classId, const std::wstring& interfaceId) = 0;
  // CreateObject-style creation from a ProgID on the local machine.
  virtual ObjectRef CreateObjectFromProgId(const std::wstring& progId) = 0;
  // The automation coercion to a signed 32-bit integer (text: VarI4FromStr);
  // raises a type mismatch or an overflow.
  virtual std::int32_t ToInt32(const Value& value) = 0;
};

}  // namespace kelvano
