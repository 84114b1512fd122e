// Page Setup and Print.
#include "mainwindow/window1.h"

#include "mainwindow/window1_document_names.h"
#include "platform/core/errors.h"
#include "platform/core/strings.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/print_job.h"
#include "platform/desktop/print_loop.h"
#include "platform/desktop/printer_setup.h"

namespace {
// The print of a song: the job and the PDF are titled with the song's title ("Untitled" when it
// has none), and a print to a file is offered the name a save would suggest, with ".pdf", in the
// song's folder, or in the home folder for a song without a file.
PrintDocument SongPrint(const QString& title, const std::optional<FolderItem>& file) {
  PrintDocument document;
  document.title = Trim(title).isEmpty() ? QStringLiteral("Untitled") : Trim(title);
  const FolderItem folder = file ? file->Parent() : SpecialFolder::Preferences();
  document.pdfPath = folder.Child(SuggestedFileName(title, QStringLiteral(".pdf"))).Path();
  return document;
}

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
  myPrinterSetup_ = setup;
  return true;
}

bool Window1::_mnuPrint_Action() {
  if (!myPrinterSetup_) {
    std::shared_ptr<PrinterSetup> setup = RunPageSetup();
    if (!setup) return false;  // nothing printed; the next Print asks again
    myPrinterSetup_ = setup;
  }
  myPrinterSetup_->MaxHorizontalResolution = 96;
  myPrinterSetup_->MaxVerticalResolution = 96;

  std::unique_ptr<PrintJob> job =
      Dialogs::Current().ShowPrinterDialog(*myPrinterSetup_, SongPrint(state_.Document().title, state_.File()));
  if (!job) return false;
  if (!job->Begin()) {
    Dialogs::Current().MsgBox(job->ErrorText());
    return false;
  }
  // The output scale stays 1: printed pages are drawn at scale 1, in the preview's sheet units.
  const bool allPages =
      PrintCopies(job->Page(), job->Copies(), TotalPages(), [this](Graphics& g, int page) { RenderSheet(g, page); });
  const bool sent = job->Finish();
  state_.SetDpi(72.0);
  if (!allPages || !sent) {
    // Nothing half-printed is reported as done. The preview and its page label are as they were:
    // printing draws only on the job's pages, and the label shows the page on screen throughout.
    Dialogs::Current().MsgBox(!sent ? job->ErrorText()
                                    : QStringLiteral("Printing stopped: the printer did not start a new page."));
    return false;
  }
  doDrawing();
  return true;
}
