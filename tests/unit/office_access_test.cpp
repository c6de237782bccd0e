// The Access step: the toolbar list in the registry, and the add-in's button on each bar it names.
#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "office/delete_tagged_button.h"
#include "office_rig.h"

namespace kelvano {
namespace {

using doubles::FakeBar;
using doubles::FakeControl;
using doubles::StoredValue;
using testing::Bar;
using testing::OfficeRig;
using testing::TaggedButton;

using ToolbarValues = std::map<std::wstring, StoredValue>;  // by value name

StoredValue Sz(const std::string& text) { return {kRegSz, text + '\0'}; }
StoredValue Dword(std::uint32_t number) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
  return {kRegDword, bytes};
}

FakeBar WithFailing(FakeBar bar, std::set<std::wstring> failing) {
  bar.failing = std::move(failing);
  return bar;
}
FakeControl FailingButton(std::set<std::wstring> failing) {
  FakeControl control = TaggedButton();
  control.failing = std::move(failing);
  return control;
}
FakeControl TaggedNonButton() {
  FakeControl control = TaggedButton();
  control.isButton = false;
  return control;
}

// "Database#1": the first control of the bar named Database was deleted.
std::vector<std::wstring> DeletedControls(const doubles::FakeOfficeApp& app) {
  std::vector<std::wstring> deleted;
  for (const FakeBar& bar : app.bars) {
    for (std::size_t i = 0; i < bar.controls.size(); ++i) {
      if (bar.controls[i].deleted) deleted.push_back(bar.name + L"#" + std::to_wstring(i + 1));
    }
  }
  return deleted;
}

const std::wstring kCreate = L"create Access.Application";
const std::wstring kBars = L"Access.CommandBars()";
const std::wstring kQuit = L"Access.Quit()";
const std::wstring kDeleteButton = L"Access.control(Ostrevan_EmailPDF).Delete(missing)";
const std::wstring kFailed = L" -> failed";
std::wstring NameOf(const std::wstring& bar) { return L"Access.bar(" + bar + L").Name()"; }
std::wstring FindIn(const std::wstring& bar) {
  return L"Access.bar(" + bar + L").FindControl(int 1, missing, Ostrevan_EmailPDF, missing, missing)";
}

const ToolbarValues kTwoDefaults = {{L"ToolBar1", Sz("Database")}, {L"ToolBar2", Sz("Form View")}};

struct AccessCase {
  const char* name;
  std::optional<ToolbarValues> keyBefore;  // nullopt: the key is missing
  bool installed;
  std::vector<FakeBar> bars;
  std::set<std::wstring> appFailing;
  std::set<std::wstring> collectionFailing;
  std::vector<std::wstring> expectedCalls;
  std::vector<std::wstring> expectedDeleted;
  std::optional<ToolbarValues> keyAfter;
};

const AccessCase kAccessCases[] = {
    {"missing key: seeded, and the button removed from Database and Form View",
     std::nullopt,
     true,
     {Bar(L"Menu Bar", {TaggedButton()}), Bar(L"Database", {TaggedButton()}), Bar(L"Form View", {TaggedButton()})},
     {},
     {},
     {kCreate, kBars, NameOf(L"Menu Bar"), NameOf(L"Database"), FindIn(L"Database"), kDeleteButton, kBars,
      NameOf(L"Menu Bar"), NameOf(L"Database"), NameOf(L"Form View"), FindIn(L"Form View"), kDeleteButton, kQuit},
     {L"Database#1", L"Form View#1"},
     kTwoDefaults},
    {"existing key is not re-seeded: empty ToolBar1 skipped, ToolBar3 honoured",
     ToolbarValues{{L"ToolBar1", Sz("")}, {L"ToolBar3", Sz("Report")}},
     true,
     {Bar(L"Database", {TaggedButton()}), Bar(L"Report", {TaggedButton()})},
     {},
     {},
     {kCreate, kBars, NameOf(L"Database"), NameOf(L"Report"), FindIn(L"Report"), kDeleteButton, kQuit},
     {L"Report#1"},
     ToolbarValues{{L"ToolBar1", Sz("")}, {L"ToolBar3", Sz("Report")}}},
    {"ToolBar1 stored as REG_DWORD 5 names the bar \"5\"",
     ToolbarValues{{L"ToolBar1", Dword(5)}},
     true,
     {Bar(L"Database", {TaggedButton()}), Bar(L"5", {TaggedButton()})},
     {},
     {},
     {kCreate, kBars, NameOf(L"Database"), NameOf(L"5"), FindIn(L"5"), kDeleteButton, kQuit},
     {L"5#1"},
     ToolbarValues{{L"ToolBar1", Dword(5)}}},
    {"two tagged buttons: only the one FindControl returns first is deleted",
     ToolbarValues{{L"ToolBar1", Sz("Database")}},
     true,
     {Bar(L"Database", {TaggedButton(), TaggedButton()})},
     {},
     {},
     {kCreate, kBars, NameOf(L"Database"), FindIn(L"Database"), kDeleteButton, kQuit},
     {L"Database#1"},
     ToolbarValues{{L"ToolBar1", Sz("Database")}}},
    {"a bar name differing in letter case is not the bar",
     ToolbarValues{{L"ToolBar1", Sz("database")}},
     true,
     {Bar(L"Database", {TaggedButton()})},
     {},
     {},
     {kCreate, kBars, NameOf(L"Database"), kQuit},
     {},
     ToolbarValues{{L"ToolBar1", Sz("database")}}},
    {"no tagged button on the bar",
     kTwoDefaults,
     true,
     {Bar(L"Database"), Bar(L"Form View")},
     {},
     {},
     {kCreate, kBars, NameOf(L"Database"), FindIn(L"Database"), kBars, NameOf(L"Database"), NameOf(L"Form View"),
      FindIn(L"Form View"), kQuit},
     {},
     kTwoDefaults},
    {"FindControl fails: the next bar is still visited and Access still quits",
     kTwoDefaults,
     true,
     {WithFailing(Bar(L"Database", {TaggedButton()}), {L"FindControl"}), Bar(L"Form View", {TaggedButton()})},
     {},
     {},
     {kCreate, kBars, NameOf(L"Database"), FindIn(L"Database") + kFailed, kBars, NameOf(L"Database"),
      NameOf(L"Form View"), FindIn(L"Form View"), kDeleteButton, kQuit},
     {L"Form View#1"},
     kTwoDefaults},
    {"the control found is not a button: nothing deleted",
     kTwoDefaults,
     true,
     {Bar(L"Database", {TaggedNonButton()}), Bar(L"Form View", {TaggedButton()})},
     {},
     {},
     {kCreate, kBars, NameOf(L"Database"), FindIn(L"Database"), kBars, NameOf(L"Database"), NameOf(L"Form View"),
      FindIn(L"Form View"), kDeleteButton, kQuit},
     {L"Form View#1"},
     kTwoDefaults},
    {"deleting the button fails: ignored",
     kTwoDefaults,
     true,
     {Bar(L"Database", {FailingButton({L"Delete"})}), Bar(L"Form View", {TaggedButton()})},
     {},
     {},
     {kCreate, kBars, NameOf(L"Database"), FindIn(L"Database"), kDeleteButton + kFailed, kBars, NameOf(L"Database"),
      NameOf(L"Form View"), FindIn(L"Form View"), kDeleteButton, kQuit},
     {L"Form View#1"},
     kTwoDefaults},
    {"moving to the next bar fails: that toolbar is left, the next one still cleaned",
     ToolbarValues{{L"ToolBar1", Sz("Form View")}, {L"ToolBar2", Sz("Database")}},
     true,
     {Bar(L"Database", {TaggedButton()}), Bar(L"Form View", {TaggedButton()})},
     {},
     {L"Next#2"},
     {kCreate, kBars, NameOf(L"Database"), L"Access.CommandBars.Next()" + kFailed, kBars, NameOf(L"Database"),
      FindIn(L"Database"), kDeleteButton, kQuit},
     {L"Database#1"},
     ToolbarValues{{L"ToolBar1", Sz("Form View")}, {L"ToolBar2", Sz("Database")}}},
    {"a bar whose name cannot be read is skipped, not taken for the match",
     ToolbarValues{{L"ToolBar1", Sz("Database")}},
     true,
     {WithFailing(Bar(L"Menu Bar", {TaggedButton()}), {L"Name"}), Bar(L"Database", {TaggedButton()})},
     {},
     {},
     {kCreate, kBars, NameOf(L"Menu Bar") + kFailed, NameOf(L"Database"), FindIn(L"Database"), kDeleteButton, kQuit},
     {L"Database#1"},
     ToolbarValues{{L"ToolBar1", Sz("Database")}}},
    {"reading CommandBars fails: the rest of the Access step is abandoned, no Quit",
     kTwoDefaults,
     true,
     {Bar(L"Database", {TaggedButton()}), Bar(L"Form View", {TaggedButton()})},
     {L"CommandBars#2"},
     {},
     {kCreate, kBars, NameOf(L"Database"), FindIn(L"Database"), kDeleteButton, kBars + kFailed},
     {L"Database#1"},
     kTwoDefaults},
    {"Access not installed: the key is not created",
     std::nullopt,
     false,
     {},
     {},
     {},
     {kCreate + L" -> not registered"},
     {},
     std::nullopt},
};

TEST(OfficeAccess, ToolbarListAndTaggedButtons) {
  for (const AccessCase& c : kAccessCases) {
    SCOPED_TRACE(c.name);
    OfficeRig rig;
    if (c.keyBefore) {
      rig.registry.CreateKey(kHkeyCurrentUser, AccessToolbarsKey);
      for (const auto& [name, value] : *c.keyBefore)
        rig.registry.SetValue(kHkeyCurrentUser, AccessToolbarsKey, name, value);
    }
    if (c.installed) rig.office.Install(kAccessProgId, {c.bars, c.appFailing, c.collectionFailing});

    rig.RunCleanUp();

    EXPECT_EQ(rig.CallsOf(L"Access"), c.expectedCalls);
    if (c.installed) {
      EXPECT_EQ(DeletedControls(rig.office.App(kAccessProgId)), c.expectedDeleted);
    }
    ASSERT_EQ(rig.registry.KeyExists(kHkeyCurrentUser, AccessToolbarsKey), c.keyAfter.has_value());
    if (!c.keyAfter) continue;
    for (const wchar_t* valueName : {L"ToolBar1", L"ToolBar2", L"ToolBar3"}) {
      const auto expected = c.keyAfter->find(valueName);
      EXPECT_EQ(rig.registry.Stored(kHkeyCurrentUser, AccessToolbarsKey, valueName),
                expected == c.keyAfter->end() ? std::nullopt : std::optional<StoredValue>(expected->second))
          << valueName;
    }
  }
}

TEST(OfficeAccess, DeletesTheButtonThroughTheButtonAndControlInterfaces) {
  OfficeRig rig;
  rig.office.Install(kAccessProgId, testing::WithBars({Bar(L"Database", {TaggedButton()})}));
  {
    const ObjectRef access = rig.automation.CreateObjectFromProgId(kAccessProgId);
    DeleteTaggedButton(access->GetProperty(L"CommandBars"), L"Database");
  }

  const std::wstring bar = L"Access.bar(Database)";
  const std::wstring button = L"Access.control(Ostrevan_EmailPDF)";
  EXPECT_EQ(rig.automation.log, (std::vector<std::wstring>{
                                    kCreate,
                                    kBars,
                                    L"Access.CommandBars.QueryInterface({000C0302-0000-0000-C000-000000000046})",
                                    L"Access.CommandBars.Enumerate()",
                                    L"Access.CommandBars.Next()",
                                    bar + L".QueryInterface({000C0304-0000-0000-C000-000000000046})",
                                    bar + L".Name()",
                                    FindIn(L"Database"),
                                    button + L".QueryInterface({000C030E-0000-0000-C000-000000000046})",
                                    button + L".QueryInterface({000C0308-0000-0000-C000-000000000046})",
                                    kDeleteButton,
                                }));
  EXPECT_EQ(doubles::FakeObject::Alive(), 0);
}

}  // namespace
}  // namespace kelvano
