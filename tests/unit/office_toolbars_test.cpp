// The clean-up of the six applications that carry the add-in's command bar, and the order in
// which all seven applications are visited.
#include <gtest/gtest.h>

#include "office_rig.h"

namespace kelvano {
namespace {

using doubles::FakeOfficeApp;
using testing::Bar;
using testing::DeletedBars;
using testing::OfficeRig;
using testing::WithBars;

std::vector<std::wstring> CreationsAndQuits(const doubles::CallLog& log) {
  std::vector<std::wstring> lines;
  for (const std::wstring& line : log) {
    if (line.starts_with(L"create ") || line.ends_with(L".Quit()")) lines.push_back(line);
  }
  return lines;
}

TEST(OfficeToolbars, VisitsTheSixApplicationsInOrderThenAccess) {
  OfficeRig rig;
  for (const wchar_t* progId : kToolbarAppProgIds)
    rig.office.Install(progId, WithBars({Bar(L"Standard"), Bar(ToolbarName)}));
  rig.office.Install(kAccessProgId, WithBars({Bar(L"Database", {testing::TaggedButton()})}));

  rig.RunCleanUp();

  EXPECT_EQ(CreationsAndQuits(rig.automation.log),
            (std::vector<std::wstring>{L"create PowerPoint.Application", L"PowerPoint.Quit()",
                                       L"create Excel.Application", L"Excel.Quit()", L"create Publisher.Application",
                                       L"Publisher.Quit()", L"create MSProject.Application", L"MSProject.Quit()",
                                       L"create Word.Application", L"Word.Quit()", L"create Visio.Application",
                                       L"Visio.Quit()", L"create Access.Application", L"Access.Quit()"}));
  for (const wchar_t* progId : kToolbarAppProgIds) {
    EXPECT_EQ(DeletedBars(rig.office.App(progId)), (std::vector<bool>{false, true})) << progId;
  }
  EXPECT_TRUE(rig.office.App(kAccessProgId).bars[0].controls[0].deleted);
}

TEST(OfficeToolbars, FindsAndDeletesTheBarThroughTheOfficeInterfaces) {
  OfficeRig rig;
  rig.office.Install(L"Word.Application", WithBars({Bar(L"Standard"), Bar(ToolbarName), Bar(L"Formatting")}));

  RemoveAppToolbar(rig.automation, L"Word.Application");

  EXPECT_EQ(rig.automation.log,
            (std::vector<std::wstring>{
                L"create Word.Application",
                L"Word.CommandBars()",
                L"Word.CommandBars.QueryInterface({000C0302-0000-0000-C000-000000000046})",
                L"Word.CommandBars.Enumerate()",
                L"Word.CommandBars.Next()",
                L"Word.bar(Standard).QueryInterface({000C0304-0000-0000-C000-000000000046})",
                L"Word.bar(Standard).Name()",
                L"Word.CommandBars.Next()",
                L"Word.bar(Ostrevan Kelvano).QueryInterface({000C0304-0000-0000-C000-000000000046})",
                L"Word.bar(Ostrevan Kelvano).Name()",
                L"Word.bar(Ostrevan Kelvano).Delete()",
                L"Word.Quit()",
            }));
  EXPECT_EQ(doubles::FakeObject::Alive(), 0);
}

// One application's step (Excel's, between PowerPoint and Publisher) with the rest of the
// clean-up around it: whatever happens to Excel, the next application is still cleaned.
struct AppStepCase {
  const char* name;
  bool installed;
  FakeOfficeApp excel;
  std::vector<std::wstring> expectedCalls;
  std::vector<bool> expectedDeleted;
};

const std::wstring kCreate = L"create Excel.Application";
const std::wstring kBars = L"Excel.CommandBars()";
const std::wstring kQuit = L"Excel.Quit()";
std::wstring NameOf(const std::wstring& bar) { return L"Excel.bar(" + bar + L").Name()"; }
std::wstring DeleteOf(const std::wstring& bar) { return L"Excel.bar(" + bar + L").Delete()"; }
const std::wstring kOurs = ToolbarName;
const std::wstring kFailed = L" -> failed";

FakeOfficeApp Failing(FakeOfficeApp app, std::set<std::wstring> appFailing,
                      std::set<std::wstring> collectionFailing = {}) {
  app.failing = std::move(appFailing);
  app.collectionFailing = std::move(collectionFailing);
  return app;
}

doubles::FakeBar FailingBar(const std::wstring& name, std::set<std::wstring> failing) {
  doubles::FakeBar bar = Bar(name);
  bar.failing = std::move(failing);
  return bar;
}

const AppStepCase kAppStepCases[] = {
    {"the add-in's bar among others is deleted, then the application quits",
     true,
     WithBars({Bar(L"Standard"), Bar(kOurs), Bar(L"Formatting")}),
     {kCreate, kBars, NameOf(L"Standard"), NameOf(kOurs), DeleteOf(kOurs), kQuit},
     {false, true, false}},
    {"two bars of that name: only the first is deleted",
     true,
     WithBars({Bar(kOurs), Bar(L"Standard"), Bar(kOurs)}),
     {kCreate, kBars, NameOf(kOurs), DeleteOf(kOurs), kQuit},
     {true, false, false}},
    {"names differing only in letter case are left alone",
     true,
     WithBars({Bar(L"ostrevan kelvano"), Bar(L"OSTREVAN KELVANO"), Bar(L"Ostrevan kelvano")}),
     {kCreate, kBars, NameOf(L"ostrevan kelvano"), NameOf(L"OSTREVAN KELVANO"), NameOf(L"Ostrevan kelvano"), kQuit},
     {false, false, false}},
    {"no bar of that name: the application is still asked to quit",
     true,
     WithBars({Bar(L"Standard")}),
     {kCreate, kBars, NameOf(L"Standard"), kQuit},
     {false}},
    {"no bars at all", true, WithBars({}), {kCreate, kBars, kQuit}, {}},
    {"not installed: skipped", false, WithBars({}), {kCreate + L" -> not registered"}, {}},
    {"reading CommandBars fails: no Quit",
     true,
     Failing(WithBars({Bar(kOurs)}), {L"CommandBars"}),
     {kCreate, kBars + kFailed},
     {false}},
    {"deleting the bar fails: no Quit",
     true,
     WithBars({FailingBar(kOurs, {L"Delete"})}),
     {kCreate, kBars, NameOf(kOurs), DeleteOf(kOurs) + kFailed},
     {false}},
    {"a bar's name cannot be read: the rest of the step is abandoned",
     true,
     WithBars({FailingBar(L"Standard", {L"Name"}), Bar(kOurs)}),
     {kCreate, kBars, NameOf(L"Standard") + kFailed},
     {false, false}},
    {"moving to the next bar fails: no Quit",
     true,
     Failing(WithBars({Bar(L"Standard"), Bar(kOurs)}), {}, {L"Next#2"}),
     {kCreate, kBars, NameOf(L"Standard"), L"Excel.CommandBars.Next()" + kFailed},
     {false, false}},
    {"a collection without the CommandBars interface: no Quit",
     true,
     Failing(WithBars({Bar(kOurs)}), {}, {L"QueryInterface"}),
     {kCreate, kBars, L"Excel.CommandBars.QueryInterface({000C0302-0000-0000-C000-000000000046})" + kFailed},
     {false}},
    {"quitting fails: nothing more to do",
     true,
     Failing(WithBars({Bar(kOurs)}), {L"Quit"}),
     {kCreate, kBars, NameOf(kOurs), DeleteOf(kOurs), kQuit + kFailed},
     {true}},
};

TEST(OfficeToolbars, OneApplicationsStepAndItsFailures) {
  for (const AppStepCase& c : kAppStepCases) {
    SCOPED_TRACE(c.name);
    OfficeRig rig;
    for (const wchar_t* progId : kToolbarAppProgIds) {
      if (std::wstring(progId) != L"Excel.Application") rig.office.Install(progId, WithBars({Bar(kOurs)}));
    }
    if (c.installed) rig.office.Install(L"Excel.Application", c.excel);

    rig.RunCleanUp();

    EXPECT_EQ(rig.CallsOf(L"Excel"), c.expectedCalls);
    if (c.installed) {
      EXPECT_EQ(DeletedBars(rig.office.App(L"Excel.Application")), c.expectedDeleted);
    }
    EXPECT_EQ(rig.CallsOf(L"Publisher"),
              (std::vector<std::wstring>{L"create Publisher.Application", L"Publisher.CommandBars()",
                                         L"Publisher.bar(Ostrevan Kelvano).Name()",
                                         L"Publisher.bar(Ostrevan Kelvano).Delete()", L"Publisher.Quit()"}));
  }
}

}  // namespace
}  // namespace kelvano
