// Control of the stand-in COM servers from tests, the demo and benchmarks: registering them
// in the current Wine prefix, setting up their state and failures, and reading their call
// logs afterwards. Functions throw std::runtime_error when the registry refuses a write
// (a broken test set-up must not pass silently) and std::invalid_argument for an unknown ProgID.
//
// Storage: everything lives under HKEY_CURRENT_USER\Software\Kelvano Stand-ins, written by the
// stand-ins inside the client's process and visible to another process at once:
//   Log\Driver, Log\Office   one REG_SZ value per line: "00000001", "00000002", ...
//   Driver                   InstalledPrinter (REG_SZ, empty = none), FailCreations (DWORD),
//                            Fail (REG_MULTI_SZ rules), Calls\<member> (DWORD call counters)
//   Office\<ProgID>          Bars (REG_MULTI_SZ, see common/office_state.h), Fail, Calls\<member>
// Writers are serialised by the named mutex "Local\Kelvano Stand-ins Store".
#pragma once

#include <string>
#include <vector>

namespace standin {

// ---- registration under HKLM\Software\Classes (the only place Wine's COM looks in a 32-bit
// prefix; a 32-bit process in a 64-bit prefix lands in its Wow6432Node view, as it should).
// dllPath: full Windows path of standin_driver.dll / standin_office.dll.
void RegisterDriver(const std::wstring& dllPath);
void UnregisterDriver();
// progId: one of the seven below (case-insensitive); each has a class of its own.
void RegisterOfficeApp(const std::wstring& progId, const std::wstring& dllPath);
void UnregisterOfficeApp(const std::wstring& progId);
void UnregisterAll();
bool DriverRegistered();
bool OfficeAppRegistered(const std::wstring& progId);
// "PowerPoint.Application", "Excel.Application", "Publisher.Application",
// "MSProject.Application", "Word.Application", "Visio.Application", "Access.Application".
std::vector<std::wstring> OfficeProgIds();

// Wipes every stand-in's state, failure rules, call counters and logs (registrations stay).
void ResetState();

// ---- converter driver
struct DriverSetup {
  bool printerInstalled = false;
  std::wstring printerName = L"Ostrevan Kelvano Converter";  // the one installed, if installed
  int failCreations = 0;  // the first N creation attempts fail (CO_E_SERVER_EXEC_FAILURE)
  // "InstallPrinter#1" = the first InstallPrinter fails, "EndPrinterSession" = every one fails,
  // "create#2" = the second creation fails. A failing call returns DISP_E_EXCEPTION with
  // scode E_FAIL (0x80004005) and a description such as "Printer installation failed".
  std::vector<std::wstring> failCalls;
};
// Replaces the driver's state and rules and restarts its call counting (the log stays).
void SetUpDriver(const DriverSetup& setup);
bool DriverPrinterInstalled();
std::wstring DriverInstalledPrinter();  // empty when none

// ---- Office applications
struct Control {
  int type = 1;  // msoControlButton = 1, msoControlPopup = 10, ...
  std::wstring tag;
  std::wstring caption;
};
struct Bar {
  std::wstring name;
  std::vector<Control> controls;
};
// Replaces the application's bars and restarts its call counting (rules and log stay).
void SetUpOfficeApp(const std::wstring& progId, const std::vector<Bar>& bars);
std::vector<Bar> OfficeAppBars(const std::wstring& progId);
// Replaces the application's failure rules and restarts its call counting. Members:
// "create" (CoCreateInstance fails with CO_E_SERVER_EXEC_FAILURE), "CommandBars", "Quit",
// "Name", "Delete" (bars and controls), "FindControl", "_NewEnum" (these fail with DISP_E_EXCEPTION,
// scode E_FAIL), "Next" (IEnumVARIANT::Next returns E_FAIL); "Member#N" fails only the Nth
// call. An application's rules apply to all its objects.
void FailOfficeCalls(const std::wstring& progId, const std::vector<std::wstring>& calls);

// ---- logs: one line per event, in order, across every process since ResetState().
// Driver lines:
//   "create", "create failed"
//   "InstallPrinter(Ostrevan Kelvano Converter)", "UninstallPrinter(...)", "EndPrinterSession()"
//   a call failed by a rule ends in " -> failed": "InstallPrinter(...) -> failed"
//   a call the driver rejects shows its arguments as passed and the code:
//     "InstallPrinter(VT_I4 5) -> DISP_E_TYPEMISMATCH", "InstallPrinter() -> DISP_E_BADPARAMCOUNT",
//     "Invoke[99]() -> DISP_E_MEMBERNOTFOUND", "GetIDsOfNames(Foo) -> DISP_E_UNKNOWNNAME"
//   "alive N" each time the DLL is unloaded (by COM or at the client's process end):
//     N driver objects were never released; "alive 0" is the clean case.
// Office lines, prefixed by the ProgID and ": ":
//   "create", "create failed", "CommandBars", "Quit()"
//   "CommandBars._NewEnum", "CommandBars.Next -> bar[<name>]", "CommandBars.Next -> end"
//   "bar[<name>].Name", "bar[<name>].Delete()",
//   "bar[Database].FindControl(VT_I4 1, missing, VT_BSTR Ostrevan_EmailPDF, missing, missing)"
//     (arguments as passed, in call order: "missing" for omitted / VT_ERROR PARAMNOTFOUND)
//   "control[<tag>].Delete(missing)"
//   failures and rejections as for the driver: " -> failed", " -> DISP_E_BADPARAMCOUNT", ...
//   "alive N" at the DLL's unload, for each application whose class was asked for in that
//     process (also "alive 0"); N counts every object of that application still alive
//     (application, collections, enumerators, bars, controls).
std::vector<std::wstring> DriverLog();
std::vector<std::wstring> OfficeLog();

}  // namespace standin
