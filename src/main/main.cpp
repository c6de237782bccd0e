#include "main/main.h"

#include "main/command_text.h"
#include "main/mode_table.h"
#include "office/office_toolbars.h"
#include "printer/frm_pdf_poll.h"
#include "printer/mod_printer.h"
#include "printer/printer_sessions.h"

namespace kelvano {

namespace {

// The shell's result is not examined; the process ends either way, so no later test runs.
void OpenWebPageAndEnd(Platform& platform, const wchar_t* address) {
  platform.shell.Execute(platform.windows.DesktopWindow(), L"open", address, kShowNormal);
  platform.process.EndNow();
}

}  // namespace

void Main(Platform& platform) {
  const std::wstring command = CommandText(platform.process.CommandLine());
  ModPrinter modPrinter(platform.automation);
  FrmPdfPoll frmPDFPoll(platform, modPrinter);

  for (const ModeTest& test : ModeTable()) {
    if (!Matches(test, command)) continue;
    switch (test.mode) {
      case Mode::kPoll:
        frmPDFPoll.ParentWindow = platform.automation.ToInt32(std::wstring(PollHandleText(command)));
        frmPDFPoll.ShowModal();
        break;
      case Mode::kRemove:
        RemoveOfficeToolbars(platform);
        RemoveConverterPrinter(platform.automation);
        break;
      case Mode::kInstall:
        InstallConverterPrinter(platform.automation);
        break;
      case Mode::kHomePage:
        OpenWebPageAndEnd(platform, kHomePageUrl);
        return;
      case Mode::kKnowledgeBase:
        OpenWebPageAndEnd(platform, kKnowledgeBaseUrl);
        return;
    }
  }
}

}  // namespace kelvano
