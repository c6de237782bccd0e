// The converter driver stand-in, driven the way kelvano.exe drives it: created from its
// class id, asked for its interface id, called through IDispatch::Invoke by dispatch id.
#include "com_test_support.h"
#include "common/class_ids.h"
#include "standin_control.h"

#include <gtest/gtest.h>

namespace standin::test {
namespace {

constexpr DISPID kInstallPrinter = 27;
constexpr DISPID kUninstallPrinter = 21;
constexpr DISPID kEndPrinterSession = 24;
constexpr wchar_t kPrinter[] = L"Ostrevan Kelvano Converter";

class DriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterDriver(TestDirectory() + L"\\standin_driver.dll");
    ResetState();
  }
  void TearDown() override { UnregisterDriver(); }

  static HRESULT Create(ComPtr<IDispatch>* driver) {
    return CoCreateInstance(kDriverClsid, nullptr, CLSCTX_INPROC_SERVER, kDriverIid, driver->put_void());
  }
  static CallResult CallWithPrinter(IDispatch* driver, DISPID id, const wchar_t* name = kPrinter) {
    Args args;
    args.Bstr(name);
    return Invoke(driver, id, DISPATCH_METHOD, args);
  }

  ComApartment apartment_;
};

TEST_F(DriverTest, InstallsAndUninstallsThePrinterAndLogsEachCall) {
  ComPtr<IDispatch> driver;
  ASSERT_EQ(Create(&driver), S_OK);

  EXPECT_EQ(CallWithPrinter(driver.get(), kInstallPrinter).hr, S_OK);
  EXPECT_TRUE(DriverPrinterInstalled());
  EXPECT_EQ(DriverInstalledPrinter(), kPrinter);
  // Another printer's name leaves ours in place.
  EXPECT_EQ(CallWithPrinter(driver.get(), kUninstallPrinter, L"Other").hr, S_OK);
  EXPECT_TRUE(DriverPrinterInstalled());
  EXPECT_EQ(CallWithPrinter(driver.get(), kUninstallPrinter).hr, S_OK);
  EXPECT_FALSE(DriverPrinterInstalled());
  EXPECT_EQ(Invoke(driver.get(), kEndPrinterSession, DISPATCH_METHOD).hr, S_OK);
  // Names resolve as well, in any letter case.
  EXPECT_EQ(IdOf(driver.get(), L"installprinter"), kInstallPrinter);

  EXPECT_EQ(DriverLog(), (std::vector<std::wstring>{
                             L"create",
                             L"InstallPrinter(Ostrevan Kelvano Converter)",
                             L"UninstallPrinter(Other)",
                             L"UninstallPrinter(Ostrevan Kelvano Converter)",
                             L"EndPrinterSession()",
                         }));
}

TEST_F(DriverTest, FailureRulesFailTheChosenCallsWithTheServersDescription) {
  DriverSetup setup;
  setup.printerInstalled = true;
  setup.failCreations = 1;
  setup.failCalls = {L"InstallPrinter#2", L"EndPrinterSession"};
  SetUpDriver(setup);

  ComPtr<IDispatch> driver;
  EXPECT_EQ(Create(&driver), CO_E_SERVER_EXEC_FAILURE);
  ASSERT_EQ(Create(&driver), S_OK);

  EXPECT_EQ(CallWithPrinter(driver.get(), kUninstallPrinter).hr, S_OK);
  EXPECT_EQ(CallWithPrinter(driver.get(), kInstallPrinter).hr, S_OK);
  EXPECT_EQ(CallWithPrinter(driver.get(), kUninstallPrinter).hr, S_OK);
  const CallResult failed = CallWithPrinter(driver.get(), kInstallPrinter);
  EXPECT_EQ(failed.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(failed.scode, E_FAIL);
  EXPECT_EQ(failed.description, L"Printer installation failed");
  EXPECT_FALSE(DriverPrinterInstalled()) << "a failed install changes nothing";
  EXPECT_EQ(CallWithPrinter(driver.get(), kInstallPrinter).hr, S_OK) << "only the 2nd fails";
  const CallResult endFailed = Invoke(driver.get(), kEndPrinterSession, DISPATCH_METHOD);
  EXPECT_EQ(endFailed.hr, DISP_E_EXCEPTION);
  EXPECT_FALSE(endFailed.description.empty());

  EXPECT_EQ(DriverLog(), (std::vector<std::wstring>{
                             L"create failed",
                             L"create",
                             L"UninstallPrinter(Ostrevan Kelvano Converter)",
                             L"InstallPrinter(Ostrevan Kelvano Converter)",
                             L"UninstallPrinter(Ostrevan Kelvano Converter)",
                             L"InstallPrinter(Ostrevan Kelvano Converter) -> failed",
                             L"InstallPrinter(Ostrevan Kelvano Converter)",
                             L"EndPrinterSession() -> failed",
                         }));
}

TEST_F(DriverTest, RejectsMalformedCallsWithTheDispatchErrorAndLogsThem) {
  struct Case {
    const char* what;
    DISPID id;
    WORD flags;
    void (*fill)(Args&);
    HRESULT expected;
    const wchar_t* logLine;
  };
  const Case cases[] = {
      {"no printer name", kInstallPrinter, DISPATCH_METHOD, [](Args&) {}, DISP_E_BADPARAMCOUNT,
       L"InstallPrinter() -> DISP_E_BADPARAMCOUNT"},
      {"two arguments", kUninstallPrinter, DISPATCH_METHOD, [](Args& a) { a.Bstr(L"a").Bstr(L"b"); },
       DISP_E_BADPARAMCOUNT, L"UninstallPrinter(VT_BSTR a, VT_BSTR b) -> DISP_E_BADPARAMCOUNT"},
      {"a number", kInstallPrinter, DISPATCH_METHOD, [](Args& a) { a.I4(5); }, DISP_E_TYPEMISMATCH,
       L"InstallPrinter(VT_I4 5) -> DISP_E_TYPEMISMATCH"},
      {"text by reference", kInstallPrinter, DISPATCH_METHOD, [](Args& a) { a.BstrByRef(kPrinter); },
       DISP_E_TYPEMISMATCH, L"InstallPrinter(VT_BYREF|VT_BSTR Ostrevan Kelvano Converter) -> DISP_E_TYPEMISMATCH"},
      {"argument to EndPrinterSession", kEndPrinterSession, DISPATCH_METHOD, [](Args& a) { a.Bstr(kPrinter); },
       DISP_E_BADPARAMCOUNT, L"EndPrinterSession(VT_BSTR Ostrevan Kelvano Converter) -> DISP_E_BADPARAMCOUNT"},
      {"property get", kInstallPrinter, DISPATCH_PROPERTYGET, [](Args& a) { a.Bstr(kPrinter); }, DISP_E_MEMBERNOTFOUND,
       L"InstallPrinter(VT_BSTR Ostrevan Kelvano Converter) -> DISP_E_MEMBERNOTFOUND"},
      {"unknown dispatch id", 99, DISPATCH_METHOD, [](Args&) {}, DISP_E_MEMBERNOTFOUND,
       L"Invoke[99]() -> DISP_E_MEMBERNOTFOUND"},
  };
  ComPtr<IDispatch> driver;
  ASSERT_EQ(Create(&driver), S_OK);
  for (const auto& c : cases) {
    ResetState();
    Args args;
    c.fill(args);
    const CallResult result = Invoke(driver.get(), c.id, c.flags, args);
    EXPECT_EQ(result.hr, c.expected) << c.what;
    EXPECT_EQ(DriverLog(), std::vector<std::wstring>{c.logLine}) << c.what;
    EXPECT_FALSE(DriverPrinterInstalled()) << c.what;
  }
}

TEST_F(DriverTest, ReportsDriverObjectsLeftAliveAtTheClientsProcessEnd) {
  ASSERT_EQ(RunLeakClient(L"driver release"), 0u);
  EXPECT_EQ(DriverLog(), (std::vector<std::wstring>{L"create", L"alive 0"}));
  ResetState();
  ASSERT_EQ(RunLeakClient(L"driver leak"), 0u);
  EXPECT_EQ(DriverLog(), (std::vector<std::wstring>{L"create", L"alive 1"}));
}

}  // namespace
}  // namespace standin::test
