#include "standin_control.h"

#include "../common/class_ids.h"
#include "../common/office_state.h"
#include "../common/registry.h"
#include "../common/store.h"

#include <objbase.h>

#include <stdexcept>

namespace standin {

namespace {

constexpr wchar_t kClassesKey[] = L"Software\\Classes";

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

[[noreturn]] void Fail(const std::string& what, const std::wstring& path) {
  throw std::runtime_error(what + " failed for " + Narrow(path));
}

std::wstring GuidText(REFGUID guid) {
  wchar_t text[64];
  StringFromGUID2(guid, text, 64);
  return text;
}

std::wstring ClassesPath(const std::wstring& sub) { return std::wstring(kClassesKey) + L"\\" + sub; }

UniqueHKey MustCreate(HKEY root, const std::wstring& path) {
  UniqueHKey key = CreateKey(root, path);
  if (!key) Fail("RegCreateKeyExW", path);
  return key;
}

void MustWrite(HKEY key, const wchar_t* name, const std::wstring& value, const std::wstring& path) {
  if (!WriteString(key, name, value)) Fail("RegSetValueExW", path);
}

void MustDelete(HKEY root, const std::wstring& path) {
  if (!DeleteKeyTree(root, path)) Fail("RegDeleteTreeW", path);
}

void RegisterInprocClass(REFCLSID clsid, const std::wstring& description, const std::wstring& progId,
                         const std::wstring& dllPath) {
  const std::wstring classPath = ClassesPath(L"CLSID\\" + GuidText(clsid));
  MustWrite(MustCreate(HKEY_LOCAL_MACHINE, classPath).get(), nullptr, description, classPath);
  const std::wstring serverPath = classPath + L"\\InprocServer32";
  const UniqueHKey server = MustCreate(HKEY_LOCAL_MACHINE, serverPath);
  MustWrite(server.get(), nullptr, dllPath, serverPath);
  MustWrite(server.get(), L"ThreadingModel", L"Apartment", serverPath);
  if (!progId.empty()) {
    MustWrite(MustCreate(HKEY_LOCAL_MACHINE, classPath + L"\\ProgID").get(), nullptr, progId, classPath);
  }
}

const OfficeApp& AppOf(const std::wstring& progId) {
  const int index = OfficeAppIndex(progId);
  if (index < 0) throw std::invalid_argument("not an Office stand-in ProgID: " + Narrow(progId));
  return kOfficeApps[static_cast<size_t>(index)];
}

// Replaces a component's settings key value by value; its call counters start again.
UniqueHKey RestartComponent(const std::wstring& component) {
  const std::wstring path = StorePath(component);
  MustDelete(HKEY_CURRENT_USER, path + L"\\Calls");
  return MustCreate(HKEY_CURRENT_USER, path);
}

std::vector<std::wstring> ReadLog(const wchar_t* log) { return ReadLogLines(log); }

}  // namespace

void RegisterDriver(const std::wstring& dllPath) {
  RegisterInprocClass(kDriverClsid, L"Kelvano stand-in converter driver", L"", dllPath);
}

void UnregisterDriver() { MustDelete(HKEY_LOCAL_MACHINE, ClassesPath(L"CLSID\\" + GuidText(kDriverClsid))); }

void RegisterOfficeApp(const std::wstring& progId, const std::wstring& dllPath) {
  const OfficeApp& app = AppOf(progId);
  RegisterInprocClass(app.clsid, std::wstring(app.progId) + L" stand-in", app.progId, dllPath);
  const std::wstring progIdPath = ClassesPath(app.progId);
  MustWrite(MustCreate(HKEY_LOCAL_MACHINE, progIdPath).get(), nullptr, std::wstring(app.progId) + L" stand-in",
            progIdPath);
  MustWrite(MustCreate(HKEY_LOCAL_MACHINE, progIdPath + L"\\CLSID").get(), nullptr, GuidText(app.clsid), progIdPath);
}

void UnregisterOfficeApp(const std::wstring& progId) {
  const OfficeApp& app = AppOf(progId);
  MustDelete(HKEY_LOCAL_MACHINE, ClassesPath(app.progId));
  MustDelete(HKEY_LOCAL_MACHINE, ClassesPath(L"CLSID\\" + GuidText(app.clsid)));
}

void UnregisterAll() {
  UnregisterDriver();
  for (const auto& app : kOfficeApps) UnregisterOfficeApp(app.progId);
}

bool DriverRegistered() {
  return static_cast<bool>(
      OpenKey(HKEY_LOCAL_MACHINE, ClassesPath(L"CLSID\\" + GuidText(kDriverClsid) + L"\\InprocServer32")));
}

bool OfficeAppRegistered(const std::wstring& progId) {
  const OfficeApp& app = AppOf(progId);
  return OpenKey(HKEY_LOCAL_MACHINE, ClassesPath(std::wstring(app.progId) + L"\\CLSID")) &&
         OpenKey(HKEY_LOCAL_MACHINE, ClassesPath(L"CLSID\\" + GuidText(app.clsid) + L"\\InprocServer32"));
}

std::vector<std::wstring> OfficeProgIds() {
  std::vector<std::wstring> ids;
  for (const auto& app : kOfficeApps) ids.emplace_back(app.progId);
  return ids;
}

void ResetState() {
  StoreLock lock;
  MustDelete(HKEY_CURRENT_USER, kStoreKey);
}

void SetUpDriver(const DriverSetup& setup) {
  StoreLock lock;
  const UniqueHKey key = RestartComponent(kDriverComponent);
  const std::wstring path = StorePath(kDriverComponent);
  MustWrite(key.get(), kInstalledPrinterValue, setup.printerInstalled ? setup.printerName : L"", path);
  if (!WriteDword(key.get(), kFailCreationsValue, static_cast<DWORD>(setup.failCreations)) ||
      !WriteMultiString(key.get(), kFailRulesValue, setup.failCalls)) {
    Fail("RegSetValueExW", path);
  }
}

std::wstring DriverInstalledPrinter() {
  const UniqueHKey key = OpenKey(HKEY_CURRENT_USER, StorePath(kDriverComponent));
  return ReadString(key.get(), kInstalledPrinterValue).value_or(L"");
}

bool DriverPrinterInstalled() { return !DriverInstalledPrinter().empty(); }

void SetUpOfficeApp(const std::wstring& progId, const std::vector<Bar>& bars) {
  const OfficeApp& app = AppOf(progId);
  std::vector<StoredBar> stored;
  int nextId = 1;
  for (const auto& bar : bars) {
    StoredBar& s = stored.emplace_back(StoredBar{nextId++, bar.name, {}});
    for (const auto& control : bar.controls) {
      s.controls.push_back({nextId++, control.type, control.tag, control.caption});
    }
  }
  StoreLock lock;
  RestartComponent(OfficeComponent(app.progId));
  SaveBars(app.progId, stored);
}

std::vector<Bar> OfficeAppBars(const std::wstring& progId) {
  std::vector<Bar> bars;
  for (const auto& stored : LoadBars(AppOf(progId).progId)) {
    Bar& bar = bars.emplace_back(Bar{stored.name, {}});
    for (const auto& control : stored.controls) {
      bar.controls.push_back({control.type, control.tag, control.caption});
    }
  }
  return bars;
}

void FailOfficeCalls(const std::wstring& progId, const std::vector<std::wstring>& calls) {
  const OfficeApp& app = AppOf(progId);
  StoreLock lock;
  const UniqueHKey key = RestartComponent(OfficeComponent(app.progId));
  if (!WriteMultiString(key.get(), kFailRulesValue, calls)) {
    Fail("RegSetValueExW", StorePath(OfficeComponent(app.progId)));
  }
}

std::vector<std::wstring> DriverLog() { return ReadLog(kDriverLog); }
std::vector<std::wstring> OfficeLog() { return ReadLog(kOfficeLog); }

}  // namespace standin
