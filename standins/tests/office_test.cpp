// The Office stand-ins, driven the way kelvano.exe drives them: created from a ProgID, members
// resolved by name, the bars enumerated through _NewEnum, the Office interface ids asked for.
#include "com_test_support.h"
#include "standin_control.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace standin::test {
namespace {

constexpr IID kIidCommandBars = {0x000C0302, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kIidCommandBar = {0x000C0304, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kIidCommandBarControl = {0x000C0308, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kIidCommandBarButton = {0x000C030E, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr wchar_t kToolbar[] = L"Ostrevan Kelvano";
constexpr wchar_t kTag[] = L"Ostrevan_EmailPDF";

class OfficeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& id : OfficeProgIds()) RegisterOfficeApp(id, TestDirectory() + L"\\standin_office.dll");
    ResetState();
  }
  void TearDown() override {
    for (const auto& id : OfficeProgIds()) UnregisterOfficeApp(id);
  }

  static HRESULT Create(const wchar_t* progId, ComPtr<IDispatch>* app) {
    CLSID clsid{};
    const HRESULT hr = CLSIDFromProgID(progId, &clsid);
    if (FAILED(hr)) return hr;
    return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, app->put_void());
  }

  // Reads CommandBars and asks for the CommandBars interface; the HRESULT of the first failure.
  static HRESULT CommandBarsOf(IDispatch* app, ComPtr<IDispatch>* bars) {
    CallResult read = CallByName(app, L"CommandBars", DISPATCH_PROPERTYGET);
    if (FAILED(read.hr)) return read.hr;
    if (V_VT(&read.value.get()) != VT_DISPATCH) return E_UNEXPECTED;
    return ComPtr<IDispatch>::Retain(V_DISPATCH(&read.value.get())).QueryTo(kIidCommandBars, bars);
  }

  static HRESULT EnumeratorOf(IDispatch* bars, ComPtr<IEnumVARIANT>* items) {
    CallResult newEnum = Invoke(bars, DISPID_NEWENUM, DISPATCH_METHOD | DISPATCH_PROPERTYGET);
    if (FAILED(newEnum.hr)) return newEnum.hr;
    if (V_VT(&newEnum.value.get()) != VT_UNKNOWN) return E_UNEXPECTED;
    return ComPtr<IUnknown>::Retain(V_UNKNOWN(&newEnum.value.get())).QueryTo(IID_IEnumVARIANT, items);
  }

  // The next bar as a CommandBar; S_FALSE at the end.
  static HRESULT NextBar(IEnumVARIANT* items, ComPtr<IDispatch>* bar) {
    UniqueVariant item;
    ULONG fetched = 0;
    const HRESULT hr = items->Next(1, item.put(), &fetched);
    if (hr != S_OK) return hr;
    if (V_VT(&item.get()) != VT_DISPATCH) return E_UNEXPECTED;
    return ComPtr<IDispatch>::Retain(V_DISPATCH(&item.get())).QueryTo(kIidCommandBar, bar);
  }

  static std::wstring Text(const CallResult& result) {
    return V_VT(&result.value.get()) == VT_BSTR ? V_BSTR(&result.value.get()) : L"<not text>";
  }

  static CallResult FindTaggedButton(IDispatch* bar) {
    Args args;
    args.I4(1).Missing().Bstr(kTag).Missing().Missing();
    return CallByName(bar, L"FindControl", DISPATCH_METHOD, args);
  }

  // kelvano.exe's clean-up of one application, stopping at the first failure: the add-in's
  // bar loses its tagged button, then the bar itself goes, then the application quits.
  static HRESULT CleanUp(const wchar_t* progId) {
    ComPtr<IDispatch> app;
    ComPtr<IDispatch> bars;
    ComPtr<IEnumVARIANT> items;
    HRESULT hr = Create(progId, &app);
    if (SUCCEEDED(hr)) hr = CommandBarsOf(app.get(), &bars);
    if (SUCCEEDED(hr)) hr = EnumeratorOf(bars.get(), &items);
    ComPtr<IDispatch> bar;
    while (SUCCEEDED(hr) && (hr = NextBar(items.get(), &bar)) == S_OK) {
      const CallResult name = CallByName(bar.get(), L"Name", DISPATCH_PROPERTYGET);
      if (FAILED(hr = name.hr)) break;
      if (Text(name) == kToolbar) break;
    }
    if (hr != S_OK) return hr;
    CallResult found = FindTaggedButton(bar.get());
    if (FAILED(hr = found.hr)) return hr;
    ComPtr<IDispatch> button;
    if (FAILED(hr = ComPtr<IDispatch>::Retain(V_DISPATCH(&found.value.get())).QueryTo(kIidCommandBarButton, &button)))
      return hr;
    Args temporary;
    temporary.Missing();
    if (FAILED(hr = CallByName(button.get(), L"Delete", DISPATCH_METHOD, temporary).hr)) return hr;
    if (FAILED(hr = CallByName(bar.get(), L"Delete", DISPATCH_METHOD).hr)) return hr;
    return CallByName(app.get(), L"Quit", DISPATCH_METHOD).hr;
  }

  static std::vector<std::wstring> BarNames(const wchar_t* progId) {
    std::vector<std::wstring> names;
    for (const auto& bar : OfficeAppBars(progId)) names.push_back(bar.name);
    return names;
  }

  ComApartment apartment_;
};

TEST_F(OfficeTest, EnumeratesBarsInOrderAndDeletesOnlyTheBarItIsAskedTo) {
  SetUpOfficeApp(L"Word.Application", {{L"Standard", {}}, {kToolbar, {}}, {kToolbar, {}}});
  ComPtr<IDispatch> app;
  ASSERT_EQ(Create(L"Word.Application", &app), S_OK);
  EXPECT_EQ(IdOf(app.get(), L"commandbars"), IdOf(app.get(), L"CommandBars")) << "Office ignores case";
  EXPECT_EQ(IdOf(app.get(), L"Documents"), DISPID_UNKNOWN);
  ComPtr<IDispatch> bars;
  ASSERT_EQ(CommandBarsOf(app.get(), &bars), S_OK);
  ComPtr<IEnumVARIANT> items;
  ASSERT_EQ(EnumeratorOf(bars.get(), &items), S_OK);

  std::vector<ComPtr<IDispatch>> seen;
  ComPtr<IDispatch> bar;
  while (NextBar(items.get(), &bar) == S_OK) seen.push_back(bar);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(Text(CallByName(seen[0].get(), L"Name", DISPATCH_PROPERTYGET)), L"Standard");
  EXPECT_EQ(CallByName(seen[2].get(), L"Delete", DISPATCH_METHOD).hr, S_OK);
  EXPECT_EQ(BarNames(L"Word.Application"), (std::vector<std::wstring>{L"Standard", kToolbar}))
      << "the bar deleted is the one the object stands for, not the first of that name";
  const CallResult again = CallByName(seen[2].get(), L"Delete", DISPATCH_METHOD);
  EXPECT_EQ(again.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(CallByName(app.get(), L"Quit", DISPATCH_METHOD).hr, S_OK);

  EXPECT_EQ(OfficeLog(), (std::vector<std::wstring>{
                             L"Word.Application: create",
                             L"Word.Application: GetIDsOfNames(Documents) -> DISP_E_UNKNOWNNAME",
                             L"Word.Application: CommandBars",
                             L"Word.Application: CommandBars._NewEnum",
                             L"Word.Application: CommandBars.Next -> bar[Standard]",
                             L"Word.Application: CommandBars.Next -> bar[Ostrevan Kelvano]",
                             L"Word.Application: CommandBars.Next -> bar[Ostrevan Kelvano]",
                             L"Word.Application: CommandBars.Next -> end",
                             L"Word.Application: bar[Standard].Name",
                             L"Word.Application: bar[Ostrevan Kelvano].Delete()",
                             L"Word.Application: bar[Ostrevan Kelvano].Delete() -> failed",
                             L"Word.Application: Quit()",
                         }));
}

TEST_F(OfficeTest, FindControlMatchesTypeAndTagAndDeletesTheControlItReturned) {
  SetUpOfficeApp(
      L"Access.Application",
      {{L"Database", {{10, kTag, L"popup"}, {1, L"Other", L"other"}, {1, kTag, L"first"}, {1, kTag, L"second"}}}});
  ComPtr<IDispatch> app;
  ASSERT_EQ(Create(L"Access.Application", &app), S_OK);
  ComPtr<IDispatch> bars;
  ASSERT_EQ(CommandBarsOf(app.get(), &bars), S_OK);
  ComPtr<IEnumVARIANT> items;
  ASSERT_EQ(EnumeratorOf(bars.get(), &items), S_OK);
  ComPtr<IDispatch> bar;
  ASSERT_EQ(NextBar(items.get(), &bar), S_OK);
  ResetState();  // keep the log to the calls below; the bars go with it, so set them again
  SetUpOfficeApp(
      L"Access.Application",
      {{L"Database", {{10, kTag, L"popup"}, {1, L"Other", L"other"}, {1, kTag, L"first"}, {1, kTag, L"second"}}}});

  CallResult found = FindTaggedButton(bar.get());
  ASSERT_EQ(found.hr, S_OK);
  ASSERT_EQ(V_VT(&found.value.get()), VT_DISPATCH);
  ComPtr<IDispatch> button;
  ASSERT_EQ(ComPtr<IDispatch>::Retain(V_DISPATCH(&found.value.get())).QueryTo(kIidCommandBarButton, &button), S_OK);
  EXPECT_EQ(Text(CallByName(button.get(), L"Caption", DISPATCH_PROPERTYGET)), L"first");
  Args temporary;
  temporary.Missing();
  EXPECT_EQ(CallByName(button.get(), L"Delete", DISPATCH_METHOD, temporary).hr, S_OK);
  const auto controls = OfficeAppBars(L"Access.Application").at(0).controls;
  ASSERT_EQ(controls.size(), 3u);
  EXPECT_EQ(controls[2].caption, L"second");

  // Without a type the popup comes first: a control, but not a button.
  Args tagOnly;
  tagOnly.Bstr(kTag).Named(2);
  CallResult popup = CallByName(bar.get(), L"FindControl", DISPATCH_METHOD, tagOnly);
  ASSERT_EQ(popup.hr, S_OK);
  ASSERT_EQ(V_VT(&popup.value.get()), VT_DISPATCH);
  const auto popupObject = ComPtr<IDispatch>::Retain(V_DISPATCH(&popup.value.get()));
  ComPtr<IDispatch> asControl, asButton;
  EXPECT_EQ(popupObject.QueryTo(kIidCommandBarControl, &asControl), S_OK);
  EXPECT_EQ(popupObject.QueryTo(kIidCommandBarButton, &asButton), E_NOINTERFACE);

  // No match gives Nothing; a Type that is no number is refused.
  Args unknownTag;
  unknownTag.I4(1).Missing().Bstr(L"Nobody");
  const CallResult nothing = CallByName(bar.get(), L"FindControl", DISPATCH_METHOD, unknownTag);
  EXPECT_EQ(nothing.hr, S_OK);
  EXPECT_EQ(V_VT(&nothing.value.get()), VT_DISPATCH);
  EXPECT_EQ(V_DISPATCH(&nothing.value.get()), nullptr);
  Args badType;
  badType.Bstr(L"button");
  const CallResult refused = CallByName(bar.get(), L"FindControl", DISPATCH_METHOD, badType);
  EXPECT_EQ(refused.hr, DISP_E_TYPEMISMATCH);
  EXPECT_EQ(refused.argErr, 0u);

  EXPECT_EQ(OfficeLog(),
            (std::vector<std::wstring>{
                L"Access.Application: bar[Database].FindControl(VT_I4 1, missing, VT_BSTR Ostrevan_EmailPDF, missing, "
                L"missing)",
                L"Access.Application: control[Ostrevan_EmailPDF].Caption",
                L"Access.Application: control[Ostrevan_EmailPDF].Delete(missing)",
                L"Access.Application: bar[Database].FindControl(missing, missing, VT_BSTR Ostrevan_EmailPDF, missing, "
                L"missing)",
                L"Access.Application: bar[Database].FindControl(VT_I4 1, missing, VT_BSTR Nobody, missing, missing)",
                L"Access.Application: bar[Database].FindControl(VT_BSTR button, missing, missing, missing, missing) -> "
                L"DISP_E_TYPEMISMATCH",
            }));
}

TEST_F(OfficeTest, FailureRulesFailTheChosenCallAndLeaveTheStateAsItWas) {
  struct Case {
    const wchar_t* rule;
    HRESULT expected;
    const wchar_t* lastLine;
    size_t controlsLeft;
    size_t barsLeft;
  };
  const Case cases[] = {
      {L"create", CO_E_SERVER_EXEC_FAILURE, L"create failed", 1, 2},
      {L"CommandBars", DISP_E_EXCEPTION, L"CommandBars -> failed", 1, 2},
      {L"Next#2", E_FAIL, L"CommandBars.Next -> failed", 1, 2},
      {L"Name#1", DISP_E_EXCEPTION, L"bar[Standard].Name -> failed", 1, 2},
      {L"FindControl", DISP_E_EXCEPTION,
       L"bar[Ostrevan Kelvano].FindControl(VT_I4 1, missing, VT_BSTR Ostrevan_EmailPDF, missing, missing) -> failed", 1,
       2},
      {L"Delete#1", DISP_E_EXCEPTION, L"control[Ostrevan_EmailPDF].Delete(missing) -> failed", 1, 2},
      {L"Delete#2", DISP_E_EXCEPTION, L"bar[Ostrevan Kelvano].Delete() -> failed", 0, 2},
      {L"Quit", DISP_E_EXCEPTION, L"Quit() -> failed", 0, 1},
      {L"Quit#2", S_OK, L"Quit()", 0, 1},
  };
  for (const auto& c : cases) {
    const std::string rule(c.rule, c.rule + wcslen(c.rule));
    ResetState();
    SetUpOfficeApp(L"Excel.Application", {{L"Standard", {}}, {kToolbar, {{1, kTag, L"E-mail as PDF"}}}});
    FailOfficeCalls(L"Excel.Application", {c.rule});
    EXPECT_EQ(CleanUp(L"Excel.Application"), c.expected) << rule;
    const auto log = OfficeLog();
    ASSERT_FALSE(log.empty()) << rule;
    EXPECT_EQ(log.back(), std::wstring(L"Excel.Application: ") + c.lastLine) << rule;
    const auto bars = OfficeAppBars(L"Excel.Application");
    EXPECT_EQ(bars.size(), c.barsLeft) << rule;
    EXPECT_EQ(bars.back().controls.size(), c.controlsLeft) << rule;
  }
}

TEST_F(OfficeTest, OnlyRegisteredApplicationsCanBeCreated) {
  UnregisterOfficeApp(L"Publisher.Application");
  ComPtr<IDispatch> app;
  EXPECT_TRUE(FAILED(Create(L"Publisher.Application", &app)));
  EXPECT_FALSE(OfficeAppRegistered(L"Publisher.Application"));
  EXPECT_EQ(Create(L"MSProject.Application", &app), S_OK);
  EXPECT_EQ(OfficeLog(), std::vector<std::wstring>{L"MSProject.Application: create"});
}

TEST_F(OfficeTest, ReportsObjectsLeftAliveAtTheClientsProcessEndPerApplication) {
  ASSERT_EQ(RunLeakClient(L"office Visio.Application release"), 0u);
  EXPECT_EQ(OfficeLog(), (std::vector<std::wstring>{L"Visio.Application: create", L"Visio.Application: CommandBars",
                                                    L"Visio.Application: alive 0"}));
  ResetState();
  ASSERT_EQ(RunLeakClient(L"office PowerPoint.Application leak"), 0u);
  EXPECT_EQ(OfficeLog(),
            (std::vector<std::wstring>{L"PowerPoint.Application: create", L"PowerPoint.Application: CommandBars",
                                       L"PowerPoint.Application: alive 2"}));
}

}  // namespace
}  // namespace standin::test
