#include "printer/frm_pdf_poll.h"

namespace kelvano {

namespace {
constexpr wchar_t kCaption[] = L"Form1";
}  // namespace

void FrmPdfPoll::ShowModal() { windows_.ShowModal(kCaption, *this); }

void FrmPdfPoll::Load() { modPrinter_.WatchHostWindow(windows_, ParentWindow); }

void FrmPdfPoll::Activate(ShownWindow& window) { window.Close(); }

UnloadAnswer FrmPdfPoll::UnloadRequest() {
  const UnloadAnswer answer = modPrinter_.PollDone ? UnloadAnswer::kAllow : UnloadAnswer::kRefuse;
  modPrinter_.PollDone = true;
  return answer;
}

void FrmPdfPoll::EndSession() { modPrinter_.EndWatchNow(); }

}  // namespace kelvano
