#include "fake_office.h"

namespace kelvano::doubles {

namespace {

constexpr wchar_t kIidCommandBars[] = L"{000C0302-0000-0000-C000-000000000046}";
constexpr wchar_t kIidCommandBar[] = L"{000C0304-0000-0000-C000-000000000046}";
constexpr wchar_t kIidCommandBarControl[] = L"{000C0308-0000-0000-C000-000000000046}";
constexpr wchar_t kIidCommandBarButton[] = L"{000C030E-0000-0000-C000-000000000046}";

// "Excel.Application" -> "Excel".
std::wstring AppLabel(const std::wstring& progId) { return progId.substr(0, progId.find(L'.')); }

Value Nothing() { return ObjectRef{}; }

}  // namespace

FakeOfficeApp& FakeOffice::Install(const std::wstring& progId, FakeOfficeApp app) {
  FakeOfficeApp& stored = apps_[progId] = std::move(app);
  automation_.progIds[progId] = [this, label = AppLabel(progId), &stored] { return MakeApplication(label, stored); };
  return stored;
}

ObjectRef FakeOffice::MakeApplication(const std::wstring& label, FakeOfficeApp& app) {
  auto object = std::make_shared<FakeObject>(automation_.log, label);
  object->failing = app.failing;
  object->byName[L"CommandBars"] = [this, label, &app](const std::vector<Value>&) -> Value {
    return MakeCommandBars(label + L".CommandBars", app);
  };
  object->byName[L"Quit"] = [](const std::vector<Value>&) { return Value{}; };
  return object;
}

ObjectRef FakeOffice::MakeCommandBars(const std::wstring& label, FakeOfficeApp& app) {
  auto object = std::make_shared<FakeObject>(automation_.log, label);
  object->interfaces = {kIidCommandBars};
  object->failing = app.collectionFailing;
  const std::wstring appLabel = label.substr(0, label.find(L'.'));
  for (FakeBar& bar : app.bars) {
    if (!bar.deleted) object->items.push_back(MakeBar(appLabel + L".bar(" + bar.name + L")", bar));
  }
  return object;
}

ObjectRef FakeOffice::MakeBar(const std::wstring& label, FakeBar& bar) {
  auto object = std::make_shared<FakeObject>(automation_.log, label);
  object->interfaces = {kIidCommandBar};
  object->failing = bar.failing;
  object->byName[L"Name"] = [&bar](const std::vector<Value>&) -> Value { return bar.name; };
  object->byName[L"Delete"] = [&bar](const std::vector<Value>&) {
    bar.deleted = true;
    return Value{};
  };
  const std::wstring appLabel = label.substr(0, label.find(L'.'));
  object->byName[L"FindControl"] = [this, appLabel, &bar](const std::vector<Value>& args) -> Value {
    const std::int32_t* type = args.size() > 0 ? AsInt32(args[0]) : nullptr;
    const std::wstring* tag = args.size() > 2 ? AsText(args[2]) : nullptr;
    for (FakeControl& control : bar.controls) {
      if (control.deleted || !tag || control.tag != *tag || (type && control.type != *type)) continue;
      return MakeControl(appLabel + L".control(" + control.tag + L")", control);
    }
    return Nothing();
  };
  return object;
}

ObjectRef FakeOffice::MakeControl(const std::wstring& label, FakeControl& control) {
  auto object = std::make_shared<FakeObject>(automation_.log, label);
  object->interfaces = {kIidCommandBarControl};
  if (control.isButton) object->interfaces.insert(kIidCommandBarButton);
  object->failing = control.failing;
  object->byName[L"Delete"] = [&control](const std::vector<Value>&) {
    control.deleted = true;
    return Value{};
  };
  return object;
}

}  // namespace kelvano::doubles
