// Page Setup and Print.
#include "mainwindow/window1.h"

#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/print_job.h"
#include "platform/print_loop.h"
#include "platform/printer_setup.h"

namespace {
// Runs the page-setup dialog on a fresh setup (the platform's defaults, not the kept one) and, when
// accepted, returns a new setup built from the dialog's setup string.
std::shared_ptr<PrinterSetup> RunPageSetup() {
  PrinterSetup asked;
  if (!Dialogs::Current().ShowPageSetup(asked)) return nullptr;
  auto kept = std::make_shared<PrinterSetup>();
  kept->SetSetupString(asked.SetupString());
  return kept;
}
}  // namespace

bool Window1::_mnuPageSetup_Action() {
  std::shared_ptr<PrinterSetup> setup = RunPageSetup();
  if (!setup) return false;  // the earlier setup stays
  myPrinterSetup = setup;
  return true;
}

bool Window1::_mnuPrint_Action() {
  if (!myPrinterSetup) {
    std::shared_ptr<PrinterSetup> setup = RunPageSetup();
    if (!setup) return false;  // nothing printed; the next Print asks again
    myPrinterSetup = setup;
  }
  myPrinterSetup->MaxHorizontalResolution = 96;
  myPrinterSetup->MaxVerticalResolution = 96;

  std::unique_ptr<PrintJob> job = Dialogs::Current().ShowPrinterDialog(*myPrinterSetup);
  if (!job) return false;
  if (!job->Begin()) {
    Dialogs::Current().MsgBox(job->ErrorText());
    return false;
  }
  // myDPI stays 72: printed pages are drawn at scale 1, in the preview's sheet units.
  const bool allPages = PrintCopies(job->Page(), job->Copies(), TotalPages(),
                                    [this](Graphics& g, int page) { RenderSheet(g, page); });
  const bool sent = job->Finish();
  myDPI = 72.0;
  if (!allPages || !sent) {
    // Nothing half-printed is reported as done. The preview was never drawn over; only its
    // label followed the printed pages, so it is put back.
    Dialogs::Current().MsgBox(!sent ? job->ErrorText()
                                    : QStringLiteral("Printing stopped: the printer did not start a new page."));
    setPageLabel();
    return false;
  }
  doDrawing();
  return true;
}
