#include "printer/frm_pdf_poll.h"

namespace kelvano {

void FrmPdfPoll::ShowModal() {
  // The window and its watch are not built yet.
  (void)platform_;
  (void)modPrinter_;
}

}  // namespace kelvano
