// In-memory automation for the core's unit tests: scriptable objects that log every call,
// fail on request, and count how many of them are still alive.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/automation.h"

namespace kelvano::doubles {

// Every call made on the fake objects, in order, e.g. "driver.#27(Ostrevan Kelvano Converter)".
using CallLog = std::vector<std::wstring>;

std::wstring Describe(const Value& value);

class FakeObject : public AutomationObject, public std::enable_shared_from_this<FakeObject> {
 public:
  using Member = std::function<Value(const std::vector<Value>&)>;

  FakeObject(CallLog& log, std::wstring name);
  ~FakeObject() override;

  // Set-up: what the members do. Unknown members fail as an automation client sees it (438).
  std::map<std::int32_t, Member> byDispatchId;
  std::map<std::wstring, Member> byName;  // properties and methods alike
  std::set<std::wstring> interfaces;      // interface ids QueryInterface accepts
  std::vector<Value> items;               // what Enumerate yields
  // Calls that fail: a member name ("Delete"), "#27" for a dispatch id, "QueryInterface",
  // "Enumerate" or "Next"; "Name#2" fails only the second call of that member.
  std::set<std::wstring> failing;

  void InvokeMethod(std::int32_t dispatchId, const std::vector<Value>& args) override;
  Value GetProperty(const std::wstring& name) override;
  Value CallMethod(const std::wstring& name, const std::vector<Value>& args) override;
  ObjectRef QueryInterface(const std::wstring& interfaceId) override;
  std::unique_ptr<Enumerator> Enumerate() override;

  const std::wstring& name() const { return name_; }
  // Objects of this class not yet destroyed, across every test.
  static int Alive();

 private:
  friend class FakeEnumerator;
  void Log(const std::wstring& member, const std::vector<Value>& args);
  void FailIfAsked(const std::wstring& member);
  Value Call(const std::wstring& member, const Member* target, const std::vector<Value>& args);

  CallLog& log_;
  std::wstring name_;
  std::map<std::wstring, int> callCounts_;
};

// The run-time error the fake objects raise for a failing call.
inline constexpr std::int32_t kFakeFailure = -2147467259;  // E_FAIL as a signed number

class FakeAutomation : public Automation {
 public:
  using Factory = std::function<ObjectRef()>;

  CallLog log;
  // Classes by class id and by ProgID; a missing entry cannot be created (429).
  std::map<std::wstring, Factory> classes;
  std::map<std::wstring, Factory> progIds;
  // The first N creations of any object fail.
  int failCreations = 0;

  ObjectRef CreateObject(const std::wstring& classId, const std::wstring& interfaceId) override;
  ObjectRef CreateObjectFromProgId(const std::wstring& progId) override;
  std::int32_t ToInt32(const Value& value) override;

 private:
  ObjectRef Create(const std::wstring& what, const std::map<std::wstring, Factory>& registry);
};

}  // namespace kelvano::doubles
