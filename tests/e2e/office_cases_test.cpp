// Remove mode's Office clean-up through kelvano.exe, against the stand-in Office applications:
// which bars and buttons are gone afterwards, which applications were started and asked to
// quit, what the Access toolbar list in the registry holds, and that no stand-in object was
// left alive. Remove never reports anything and always ends with exit code 0, and the printer
// is removed after the clean-up whatever happened in it.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "harness/program_paths.h"
#include "harness/program_run.h"
#include "harness/registry.h"
#include "kelvano_cases.h"
#include "standin_control.h"

namespace e2e {
namespace {

constexpr wchar_t kAccessToolbarsKey[] = L"Software\\Ostrevan LLC\\Harrowdesk\\Defaults\\AccessToolbars";
constexpr wchar_t kAccess[] = L"Access.Application";
const std::vector<std::wstring> kSixApplications = {L"PowerPoint.Application", L"Excel.Application",
                                                    L"Publisher.Application",  L"MSProject.Application",
                                                    L"Word.Application",       L"Visio.Application"};

// ---- bars, written the way standinctl takes them: "Name[tag tag:caption]"

standin::Control Button(const std::wstring& tag, const std::wstring& caption = L"") { return {1, tag, caption}; }
standin::Bar BarOf(const std::wstring& name, std::vector<standin::Control> controls = {}) {
  return {name, std::move(controls)};
}
const standin::Control kEmailButton = Button(L"Ostrevan_EmailPDF");
const standin::Control kConvertButton = Button(L"Ostrevan_Convert");

std::wstring Describe(const std::vector<standin::Bar>& bars) {
  std::wstring text;
  for (const standin::Bar& bar : bars) {
    if (!text.empty()) text += L", ";
    text += bar.name;
    if (bar.controls.empty()) continue;
    text += L"[";
    for (std::size_t i = 0; i < bar.controls.size(); ++i) {
      const standin::Control& c = bar.controls[i];
      text += (i ? L" " : L"") + c.tag + (c.caption.empty() ? L"" : L":" + c.caption);
    }
    text += L"]";
  }
  return text;
}

// The usual machine: each application carries the add-in's bar among two others.
std::vector<standin::Bar> AddInBars() {
  return {BarOf(L"Standard"), BarOf(L"Ostrevan Kelvano", {kConvertButton}), BarOf(L"Formatting")};
}
const std::wstring kCleaned = L"Standard, Formatting";
const std::wstring kUntouched = L"Standard, Ostrevan Kelvano[Ostrevan_Convert], Formatting";

std::vector<standin::Bar> AccessBars() {
  return {BarOf(L"Database", {kEmailButton, Button(L"Print")}), BarOf(L"Form View", {kEmailButton}), BarOf(L"Web")};
}

// ---- the Access toolbar list

// "ToolBar1".."ToolBar3": a text (REG_SZ) or a number (REG_DWORD) each.
struct Listed {
  DWORD type;
  std::wstring text;
  DWORD number;
  bool operator==(const Listed&) const = default;
};
using ToolbarList = std::map<std::wstring, Listed>;

Listed Text(const std::wstring& text) { return {REG_SZ, text, 0}; }
Listed Dword(DWORD number) { return {REG_DWORD, L"", number}; }
const ToolbarList kSeeded = {{L"ToolBar1", Text(L"Database")}, {L"ToolBar2", Text(L"Form View")}};

void WriteToolbarList(const ToolbarList& list) {
  for (const auto& [name, value] : list) {
    if (value.type == REG_SZ)
      WriteStringValue(HKEY_CURRENT_USER, kAccessToolbarsKey, name, value.text);
    else
      WriteDwordValue(HKEY_CURRENT_USER, kAccessToolbarsKey, name, value.number);
  }
}

std::optional<ToolbarList> ReadToolbarList() {
  if (!KeyExists(HKEY_CURRENT_USER, kAccessToolbarsKey)) return std::nullopt;
  ToolbarList list;
  for (const wchar_t* name : {L"ToolBar1", L"ToolBar2", L"ToolBar3"}) {
    const std::optional<RawValue> raw = ReadRawValue(HKEY_CURRENT_USER, kAccessToolbarsKey, name);
    if (!raw) continue;
    if (raw->type == REG_DWORD)
      list[name] = Dword(*ReadDwordValue(HKEY_CURRENT_USER, kAccessToolbarsKey, name));
    else
      list[name] = {raw->type, *ReadStringValue(HKEY_CURRENT_USER, kAccessToolbarsKey, name), 0};
  }
  return list;
}

// ---- one case: the machine before, and what must hold after

struct App {
  std::wstring progId;
  std::vector<standin::Bar> bars;
  std::vector<std::wstring> failing;  // failure rules, e.g. "CommandBars", "FindControl"
};

struct OfficeCase {
  const char* name;  // letters, digits and '_' only
  std::vector<App> installed;
  std::optional<ToolbarList> toolbarList;          // nullopt: the key is missing
  std::map<std::wstring, std::wstring> barsAfter;  // by ProgID, as Describe writes them
  std::vector<std::wstring> quit;                  // the applications asked to quit, in order
  std::optional<ToolbarList> toolbarListAfter;
};

void PrintTo(const OfficeCase& c, std::ostream* os) { *os << c.name; }

std::vector<App> SixWithTheBar() {
  std::vector<App> apps;
  for (const std::wstring& progId : kSixApplications) apps.push_back({progId, AddInBars(), {}});
  return apps;
}

class OfficeTest : public testing::TestWithParam<OfficeCase> {
 protected:
  void SetUp() override {
    standin::UnregisterAll();
    standin::ResetState();
    standin::RegisterDriver(StandInPath(L"standin_driver.dll"));
    standin::DriverSetup printer;
    printer.printerInstalled = true;
    standin::SetUpDriver(printer);
    for (const App& app : GetParam().installed) {
      standin::RegisterOfficeApp(app.progId, StandInPath(L"standin_office.dll"));
      standin::SetUpOfficeApp(app.progId, app.bars);
      standin::FailOfficeCalls(app.progId, app.failing);
    }
    DeleteKeyTree(HKEY_CURRENT_USER, kAccessToolbarsKey);
    if (GetParam().toolbarList) {
      WriteToolbarList(*GetParam().toolbarList);
    }
  }
  static void TearDownTestSuite() {
    standin::UnregisterAll();
    standin::ResetState();
    DeleteKeyTree(HKEY_CURRENT_USER, kAccessToolbarsKey);
  }
};

// The ProgIDs of the log's lines that end in `what`, in order.
std::vector<std::wstring> AppsWhoseLineIs(const std::vector<std::wstring>& log, const std::wstring& what) {
  std::vector<std::wstring> apps;
  for (const std::wstring& line : log) {
    const std::size_t colon = line.find(L": ");
    if (colon != std::wstring::npos && line.substr(colon + 2) == what) apps.push_back(line.substr(0, colon));
  }
  return apps;
}

TEST_P(OfficeTest, CleansUpWhatBelongsToTheAddInAndNothingElse) {
  const OfficeCase& c = GetParam();
  ExpectOutcome(RunKelvano(L" Remove_1231"), std::nullopt);

  const std::vector<std::wstring> log = standin::OfficeLog();
  SCOPED_TRACE(testing::Message() << "office log:\n"
                                  << [&] {
                                       std::wstring all;
                                       for (const auto& line : log) all += line + L"\n";
                                       return all;
                                     }());

  // Started in the fixed order, each installed application once.
  std::vector<std::wstring> expectedCreated;
  for (const std::wstring& progId : kSixApplications) {
    for (const App& app : c.installed) {
      if (app.progId == progId) expectedCreated.push_back(progId);
    }
  }
  for (const App& app : c.installed) {
    if (app.progId == kAccess) expectedCreated.push_back(kAccess);
  }
  std::vector<std::wstring> created = AppsWhoseLineIs(log, L"create");
  EXPECT_EQ(created, expectedCreated);
  EXPECT_EQ(AppsWhoseLineIs(log, L"Quit()"), c.quit);

  for (const App& app : c.installed) {
    const auto expected = c.barsAfter.find(app.progId);
    const std::wstring after = Describe(standin::OfficeAppBars(app.progId));
    EXPECT_EQ(after, expected != c.barsAfter.end() ? expected->second : Describe(app.bars)) << app.progId;
  }
  for (const std::wstring& line : log) {
    if (line.find(L": alive ") != std::wstring::npos) {
      EXPECT_TRUE(line.ends_with(L": alive 0")) << "an Office object was never released: " << line;
    }
  }

  EXPECT_EQ(ReadToolbarList(), c.toolbarListAfter);

  // The printer goes last, whatever the clean-up met.
  EXPECT_FALSE(standin::DriverPrinterInstalled());
  const std::vector<std::wstring> driverLog = standin::DriverLog();
  EXPECT_NE(std::find(driverLog.begin(), driverLog.end(), L"UninstallPrinter(Ostrevan Kelvano Converter)"),
            driverLog.end());
}

std::map<std::wstring, std::wstring> AllSixCleaned(std::map<std::wstring, std::wstring> more = {}) {
  for (const std::wstring& progId : kSixApplications) more.emplace(progId, kCleaned);
  return more;
}
std::vector<std::wstring> Quits(std::vector<std::wstring> apps) { return apps; }
std::vector<std::wstring> AllSevenQuit() {
  std::vector<std::wstring> apps = kSixApplications;
  apps.push_back(kAccess);
  return apps;
}
std::vector<App> With(std::vector<App> apps, App more) {
  apps.push_back(std::move(more));
  return apps;
}

INSTANTIATE_TEST_SUITE_P(
    RemoveMode, OfficeTest,
    testing::Values(
        // Every application, in order; Access's list is seeded and its two buttons go.
        OfficeCase{"AllSevenApplications_KeyMissing", With(SixWithTheBar(), {kAccess, AccessBars(), {}}), std::nullopt,
                   AllSixCleaned({{kAccess, L"Database[Print], Form View, Web"}}), AllSevenQuit(), kSeeded},
        // Only the first bar of the add-in's name goes.
        OfficeCase{"TwoBarsWithTheName",
                   {{L"Word.Application",
                     {BarOf(L"Ostrevan Kelvano", {Button(L"first")}), BarOf(L"Ostrevan Kelvano", {Button(L"second")})},
                     {}}},
                   kSeeded,
                   {{L"Word.Application", L"Ostrevan Kelvano[second]"}},
                   Quits({L"Word.Application"}),
                   kSeeded},
        // The comparison is exact: another letter case is another bar; the application still quits.
        OfficeCase{"NameDiffersInCase",
                   {{L"Excel.Application", {BarOf(L"ostrevan kelvano"), BarOf(L"OSTREVAN KELVANO")}, {}}},
                   kSeeded,
                   {},
                   Quits({L"Excel.Application"}),
                   kSeeded},
        OfficeCase{"NoBarOfTheName",
                   {{L"PowerPoint.Application", {BarOf(L"Standard")}, {}}},
                   kSeeded,
                   {},
                   Quits({L"PowerPoint.Application"}),
                   kSeeded},
        // Applications not installed are skipped; the others are cleaned.
        OfficeCase{"OnlySomeInstalled",
                   {{L"Publisher.Application", AddInBars(), {}}, {L"Visio.Application", AddInBars(), {}}},
                   kSeeded,
                   {{L"Publisher.Application", kCleaned}, {L"Visio.Application", kCleaned}},
                   Quits({L"Publisher.Application", L"Visio.Application"}),
                   kSeeded},
        // A failure after creation abandons that application's step, its Quit included; the next
        // application is still visited.
        OfficeCase{"ReadingCommandBarsFails",
                   {{L"Excel.Application", AddInBars(), {L"CommandBars"}}, {L"Word.Application", AddInBars(), {}}},
                   kSeeded,
                   {{L"Word.Application", kCleaned}},
                   Quits({L"Word.Application"}),
                   kSeeded},
        OfficeCase{"DeletingTheBarFails",
                   {{L"Excel.Application", AddInBars(), {L"Delete"}}, {L"Word.Application", AddInBars(), {}}},
                   kSeeded,
                   {{L"Word.Application", kCleaned}},
                   Quits({L"Word.Application"}),
                   kSeeded},
        // An existing list is never re-seeded: an empty ToolBar1 is skipped, ToolBar3 is honoured.
        OfficeCase{"ExistingListWithEmptyToolBar1AndToolBar3",
                   {{kAccess, {BarOf(L"Database", {kEmailButton}), BarOf(L"Web", {kEmailButton})}, {}}},
                   ToolbarList{{L"ToolBar1", Text(L"")}, {L"ToolBar3", Text(L"Web")}},
                   {{kAccess, L"Database[Ostrevan_EmailPDF], Web"}},
                   Quits({kAccess}),
                   ToolbarList{{L"ToolBar1", Text(L"")}, {L"ToolBar3", Text(L"Web")}}},
        // A number stored as REG_DWORD names the bar of its decimal text.
        OfficeCase{"ToolBar1StoredAsANumber",
                   {{kAccess, {BarOf(L"5", {kEmailButton}), BarOf(L"Database", {kEmailButton})}, {}}},
                   ToolbarList{{L"ToolBar1", Dword(5)}},
                   {{kAccess, L"5, Database[Ostrevan_EmailPDF]"}},
                   Quits({kAccess}),
                   ToolbarList{{L"ToolBar1", Dword(5)}}},
        // Only the button FindControl returns first goes.
        OfficeCase{
            "TwoTaggedButtonsOnOneBar",
            {{kAccess,
              {BarOf(L"Database", {Button(L"Ostrevan_EmailPDF", L"first"), Button(L"Ostrevan_EmailPDF", L"second")})},
              {}}},
            kSeeded,
            {{kAccess, L"Database[Ostrevan_EmailPDF:second]"}},
            Quits({kAccess}),
            kSeeded},
        // A failing FindControl stays inside the button step: Access still quits.
        OfficeCase{
            "FindControlFails", {{kAccess, AccessBars(), {L"FindControl"}}}, kSeeded, {}, Quits({kAccess}), kSeeded},
        // Without Access the registry is not touched: the list is not created.
        OfficeCase{"AccessNotInstalled",
                   {{L"Word.Application", AddInBars(), {}}},
                   std::nullopt,
                   {{L"Word.Application", kCleaned}},
                   Quits({L"Word.Application"}),
                   std::nullopt}),
    [](const testing::TestParamInfo<OfficeCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
