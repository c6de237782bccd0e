#include "fake_automation.h"

#include "platform/runtime_error.h"
#include "text_to_int32.h"

namespace kelvano::doubles {

namespace {
int aliveObjects = 0;
}  // namespace

std::wstring Describe(const Value& value) {
  if (IsEmpty(value)) return L"empty";
  if (std::holds_alternative<Missing>(value)) return L"missing";
  if (const std::int32_t* number = AsInt32(value)) return L"int " + std::to_wstring(*number);
  if (const std::wstring* text = AsText(value)) return *text;
  const ObjectRef object = AsObject(value);
  if (!object) return L"Nothing";
  if (auto* fake = dynamic_cast<FakeObject*>(object.get())) return L"object " + fake->name();
  return L"object";
}

class FakeEnumerator : public Enumerator {
 public:
  explicit FakeEnumerator(std::shared_ptr<FakeObject> owner) : owner_(std::move(owner)) {}
  bool Next(Value& item) override {
    owner_->Log(L"Next", {});
    owner_->FailIfAsked(L"Next");
    if (position_ >= owner_->items.size()) return false;
    item = owner_->items[position_++];
    return true;
  }

 private:
  std::shared_ptr<FakeObject> owner_;
  std::size_t position_ = 0;
};

FakeObject::FakeObject(CallLog& log, std::wstring name) : log_(log), name_(std::move(name)) { ++aliveObjects; }
FakeObject::~FakeObject() { --aliveObjects; }
int FakeObject::Alive() { return aliveObjects; }

void FakeObject::Log(const std::wstring& member, const std::vector<Value>& args) {
  std::wstring line = name_ + L"." + member + L"(";
  for (std::size_t i = 0; i < args.size(); ++i) line += (i ? L", " : L"") + Describe(args[i]);
  log_.push_back(line + L")");
}

void FakeObject::FailIfAsked(const std::wstring& member) {
  const int count = ++callCounts_[member];
  if (failing.count(member) || failing.count(member + L"#" + std::to_wstring(count))) {
    log_.back() += L" -> failed";
    throw RuntimeError(kFakeFailure, name_ + L"." + member + L" failed");
  }
}

Value FakeObject::Call(const std::wstring& member, const Member* target, const std::vector<Value>& args) {
  Log(member, args);
  FailIfAsked(member);
  if (!target) throw RuntimeError(438, L"Object doesn't support this property or method");
  return (*target)(args);
}

void FakeObject::InvokeMethod(std::int32_t dispatchId, const std::vector<Value>& args) {
  const auto it = byDispatchId.find(dispatchId);
  Call(L"#" + std::to_wstring(dispatchId), it == byDispatchId.end() ? nullptr : &it->second, args);
}

Value FakeObject::GetProperty(const std::wstring& name) {
  const auto it = byName.find(name);
  return Call(name, it == byName.end() ? nullptr : &it->second, {});
}

Value FakeObject::CallMethod(const std::wstring& name, const std::vector<Value>& args) {
  const auto it = byName.find(name);
  return Call(name, it == byName.end() ? nullptr : &it->second, args);
}

ObjectRef FakeObject::QueryInterface(const std::wstring& interfaceId) {
  Log(L"QueryInterface", {interfaceId});
  FailIfAsked(L"QueryInterface");
  if (!interfaces.count(interfaceId)) throw errors::TypeMismatch();
  return shared_from_this();
}

std::unique_ptr<Enumerator> FakeObject::Enumerate() {
  Log(L"Enumerate", {});
  FailIfAsked(L"Enumerate");
  return std::make_unique<FakeEnumerator>(shared_from_this());
}

ObjectRef FakeAutomation::Create(const std::wstring& what, const std::map<std::wstring, Factory>& registry) {
  log.push_back(L"create " + what);
  if (failCreations > 0) {
    --failCreations;
    log.back() += L" -> failed";
    throw errors::CannotCreateObject();
  }
  const auto it = registry.find(what);
  if (it == registry.end()) {
    log.back() += L" -> not registered";
    throw errors::CannotCreateObject();
  }
  return it->second();
}

ObjectRef FakeAutomation::CreateObject(const std::wstring& classId, const std::wstring&) {
  return Create(classId, classes);
}

ObjectRef FakeAutomation::CreateObjectFromProgId(const std::wstring& progId) { return Create(progId, progIds); }

std::int32_t FakeAutomation::ToInt32(const Value& value) {
  if (const std::int32_t* number = AsInt32(value)) return *number;
  if (IsEmpty(value)) return 0;
  if (const std::wstring* text = AsText(value)) return TextToInt32(*text);
  throw errors::TypeMismatch();
}

}  // namespace kelvano::doubles
