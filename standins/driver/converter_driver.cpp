#include "converter_driver.h"

#include "../common/class_ids.h"
#include "../common/dispatch_object.h"
#include "../common/registry.h"
#include "../common/store.h"
#include "../common/variant_text.h"

#include <new>
#include <string>

namespace standin {

std::atomic<long> g_aliveDrivers{0};

namespace {

constexpr DISPID kInstallPrinter = 27;
constexpr DISPID kUninstallPrinter = 21;
constexpr DISPID kEndPrinterSession = 24;
constexpr wchar_t kSource[] = L"Kelvano stand-in converter driver";

constexpr Member kMembers[] = {
    {L"InstallPrinter", kInstallPrinter, {L"PrinterName"}},
    {L"UninstallPrinter", kUninstallPrinter, {L"PrinterName"}},
    {L"EndPrinterSession", kEndPrinterSession, {}},
};

void Log(const std::wstring& line) { AppendLogLine(kDriverLog, line); }

std::wstring InstalledPrinter() {
  const UniqueHKey key = OpenKey(HKEY_CURRENT_USER, StorePath(kDriverComponent));
  return ReadString(key.get(), kInstalledPrinterValue).value_or(L"");
}

void SetInstalledPrinter(const std::wstring& name) {
  StoreLock lock;
  const UniqueHKey key = CreateKey(HKEY_CURRENT_USER, StorePath(kDriverComponent));
  WriteString(key.get(), kInstalledPrinterValue, name);
}

class ConverterDriver final : public DispatchObject {
 public:
  ConverterDriver() : DispatchObject(g_aliveDrivers) {}

 protected:
  std::span<const Member> Members() const override { return kMembers; }
  bool Answers(REFIID iid) const override { return IsEqualIID(iid, kDriverIid); }
  void OnUnknownName(const std::wstring& name) override { Log(L"GetIDsOfNames(" + name + L") -> DISP_E_UNKNOWNNAME"); }

  HRESULT Call(DISPID id, WORD flags, const DISPPARAMS* params, VARIANT*, EXCEPINFO* exception, UINT* argErr) override {
    const Member* member = Find(id);
    const std::wstring name = member ? member->name : L"Invoke[" + std::to_wstring(id) + L"]";
    const std::wstring called = name + L"(" + DescribeArguments(params) + L")";
    if (!member || !(flags & DISPATCH_METHOD)) return Reject(called, DISP_E_MEMBERNOTFOUND);

    if (id == kEndPrinterSession) {
      DispatchArgs args;
      if (const HRESULT hr = DispatchArgs::Bind(params, 0, 0, &args, argErr); FAILED(hr)) {
        return Reject(called, hr);
      }
      return Perform(name, name + L"()", exception, L"Ending the printer session failed", [] {});
    }

    DispatchArgs args;
    if (const HRESULT hr = DispatchArgs::Bind(params, 1, 1, &args, argErr); FAILED(hr)) {
      return Reject(called, hr);
    }
    // The printer name comes by value; a reference or another type is the client's mistake.
    const VARIANT* printer = args.at(0);
    if (V_VT(printer) != VT_BSTR) {
      if (argErr) *argErr = args.rgIndex(0);
      return Reject(called, DISP_E_TYPEMISMATCH);
    }
    const std::wstring printerName(V_BSTR(printer) ? V_BSTR(printer) : L"", SysStringLen(V_BSTR(printer)));
    const std::wstring line = name + L"(" + printerName + L")";
    if (id == kInstallPrinter) {
      return Perform(name, line, exception, L"Printer installation failed", [&] { SetInstalledPrinter(printerName); });
    }
    return Perform(name, line, exception, L"Printer removal failed", [&] {
      // Only the printer of that name goes; printer names ignore letter case.
      const std::wstring installed = InstalledPrinter();
      if (CompareStringOrdinal(installed.c_str(), -1, printerName.c_str(), -1, TRUE) == CSTR_EQUAL) {
        SetInstalledPrinter(L"");
      }
    });
  }

 private:
  static const Member* Find(DISPID id) {
    for (const auto& member : kMembers) {
      if (member.id == id) return &member;
    }
    return nullptr;
  }

  static HRESULT Reject(const std::wstring& called, HRESULT hr) {
    Log(called + L" -> " + HresultName(hr));
    return hr;
  }

  template <class Action>
  static HRESULT Perform(const std::wstring& member, const std::wstring& line, EXCEPINFO* exception,
                         const wchar_t* failure, Action action) {
    if (CountCall(kDriverComponent, member).fail) {
      Log(line + L" -> failed");
      return RaiseDispatchException(exception, kSource, failure, E_FAIL);
    }
    action();
    Log(line);
    return S_OK;
  }
};

}  // namespace

HRESULT CreateConverterDriver(int, REFIID iid, void** out) {
  const CallOutcome attempt = CountCall(kDriverComponent, L"create");
  const UniqueHKey settings = OpenKey(HKEY_CURRENT_USER, StorePath(kDriverComponent));
  const auto failFirst = static_cast<int>(ReadDword(settings.get(), kFailCreationsValue).value_or(0));
  if (attempt.fail || attempt.number <= failFirst) {
    Log(L"create failed");
    return CO_E_SERVER_EXEC_FAILURE;
  }
  auto* driver = new (std::nothrow) ConverterDriver;
  if (!driver) return E_OUTOFMEMORY;
  const HRESULT hr = driver->QueryInterface(iid, out);
  driver->Release();
  Log(SUCCEEDED(hr) ? L"create" : L"create -> " + HresultName(hr));
  return hr;
}

}  // namespace standin
