// standinctl: sets up, inspects and registers the stand-in COM servers from a shell script
// (the demo) running under Wine. Usage: standinctl --help.
#include "standin_control.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <exception>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kUsage[] =
    L"standinctl: control of the Kelvano stand-in COM servers (state under\n"
    L"HKCU\\Software\\Kelvano Stand-ins).\n"
    L"\n"
    L"  standinctl register driver DLL           register standin_driver.dll\n"
    L"  standinctl register office PROGID|all DLL register standin_office.dll for an app\n"
    L"  standinctl unregister driver|all\n"
    L"  standinctl unregister office PROGID\n"
    L"  standinctl reset                          wipe state, failure rules and logs\n"
    L"  standinctl driver-setup [--installed] [--printer NAME] [--fail-creations N]\n"
    L"                          [--fail CALL]...  CALL: InstallPrinter, UninstallPrinter,\n"
    L"                          EndPrinterSession or create, optionally with #N (Nth call only)\n"
    L"  standinctl office-setup PROGID [--fail RULE]... [BAR]...\n"
    L"                          replaces the app's bars and failure rules; BAR is\n"
    L"                          NAME[:TYPE/TAG/CAPTION,...], e.g.\n"
    L"                          \"Database:1/Ostrevan_EmailPDF/E-mail as PDF,10//Tools\"\n"
    L"                          RULE: create, CommandBars, Name, Delete, FindControl, Quit,\n"
    L"                          _NewEnum, Next, optionally with #N\n"
    L"  standinctl show                           registrations, printer, bars and controls\n"
    L"  standinctl log driver|office              the call log, one line per call\n";

int Usage() {
  std::fputws(kUsage, stderr);
  return 2;
}

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator) {
  std::vector<std::wstring> parts;
  size_t start = 0;
  for (;;) {
    const size_t at = text.find(separator, start);
    parts.push_back(text.substr(start, at == std::wstring::npos ? at : at - start));
    if (at == std::wstring::npos) return parts;
    start = at + 1;
  }
}

// NAME[:TYPE/TAG/CAPTION,...]
standin::Bar ParseBar(const std::wstring& text) {
  const size_t colon = text.find(L':');
  standin::Bar bar{text.substr(0, colon), {}};
  if (colon == std::wstring::npos) return bar;
  for (const auto& item : Split(text.substr(colon + 1), L',')) {
    if (item.empty()) continue;
    const auto fields = Split(item, L'/');
    standin::Control control;
    control.type = static_cast<int>(std::wcstol(fields[0].c_str(), nullptr, 10));
    if (fields.size() > 1) control.tag = fields[1];
    if (fields.size() > 2) control.caption = fields[2];
    bar.controls.push_back(control);
  }
  return bar;
}

int Register(const std::vector<std::wstring>& args) {
  if (args.size() == 2 && args[0] == L"driver") {
    standin::RegisterDriver(args[1]);
  } else if (args.size() == 3 && args[0] == L"office") {
    const auto ids = args[1] == L"all" ? standin::OfficeProgIds() : std::vector{args[1]};
    for (const auto& id : ids) standin::RegisterOfficeApp(id, args[2]);
  } else {
    return Usage();
  }
  return 0;
}

int Unregister(const std::vector<std::wstring>& args) {
  if (args.size() == 1 && args[0] == L"all") {
    standin::UnregisterAll();
  } else if (args.size() == 1 && args[0] == L"driver") {
    standin::UnregisterDriver();
  } else if (args.size() == 2 && args[0] == L"office") {
    standin::UnregisterOfficeApp(args[1]);
  } else {
    return Usage();
  }
  return 0;
}

int DriverSetup(const std::vector<std::wstring>& args) {
  standin::DriverSetup setup;
  for (size_t i = 0; i < args.size(); ++i) {
    const bool hasValue = i + 1 < args.size();
    if (args[i] == L"--installed") {
      setup.printerInstalled = true;
    } else if (args[i] == L"--printer" && hasValue) {
      setup.printerName = args[++i];
    } else if (args[i] == L"--fail-creations" && hasValue) {
      setup.failCreations = static_cast<int>(std::wcstol(args[++i].c_str(), nullptr, 10));
    } else if (args[i] == L"--fail" && hasValue) {
      setup.failCalls.push_back(args[++i]);
    } else {
      return Usage();
    }
  }
  standin::SetUpDriver(setup);
  return 0;
}

int OfficeSetup(const std::vector<std::wstring>& args) {
  if (args.empty()) return Usage();
  std::vector<standin::Bar> bars;
  std::vector<std::wstring> rules;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == L"--fail" && i + 1 < args.size()) {
      rules.push_back(args[++i]);
    } else {
      bars.push_back(ParseBar(args[i]));
    }
  }
  standin::SetUpOfficeApp(args[0], bars);
  standin::FailOfficeCalls(args[0], rules);
  return 0;
}

int Show() {
  const std::wstring printer = standin::DriverInstalledPrinter();
  std::wprintf(L"Converter driver: %ls; printer %ls%ls\n",
               standin::DriverRegistered() ? L"registered" : L"not registered",
               printer.empty() ? L"not installed" : L"installed: ", printer.c_str());
  for (const auto& id : standin::OfficeProgIds()) {
    std::wprintf(L"%ls: %ls\n", id.c_str(), standin::OfficeAppRegistered(id) ? L"registered" : L"not registered");
    for (const auto& bar : standin::OfficeAppBars(id)) {
      std::wprintf(L"  bar \"%ls\"\n", bar.name.c_str());
      for (const auto& control : bar.controls) {
        std::wprintf(L"    control type %d, tag \"%ls\", caption \"%ls\"\n", control.type, control.tag.c_str(),
                     control.caption.c_str());
      }
    }
  }
  return 0;
}

int Log(const std::vector<std::wstring>& args) {
  if (args.size() != 1 || (args[0] != L"driver" && args[0] != L"office")) return Usage();
  for (const auto& line : args[0] == L"driver" ? standin::DriverLog() : standin::OfficeLog()) {
    std::wprintf(L"%ls\n", line.c_str());
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return Usage();
  const std::wstring command = argv[1];
  const std::vector<std::wstring> args(argv + 2, argv + argc);
  try {
    if (command == L"register") return Register(args);
    if (command == L"unregister") return Unregister(args);
    if (command == L"reset" && args.empty()) {
      standin::ResetState();
      return 0;
    }
    if (command == L"driver-setup") return DriverSetup(args);
    if (command == L"office-setup") return OfficeSetup(args);
    if (command == L"show" && args.empty()) return Show();
    if (command == L"log") return Log(args);
    if (command == L"--help" || command == L"-h") {
      std::fputws(kUsage, stdout);
      return 0;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "standinctl: %s\n", e.what());
    return 1;
  }
  return Usage();
}
