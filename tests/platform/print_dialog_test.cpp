// The printer made for a song before the print dialog, and the print dialog itself: what it
// offers and what it leaves on the printer. (On a real CUPS queue: tests/mainwindow/cups_print_test.)
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTimer>

#include "platform/desktop/dialogs.h"
#include "platform/desktop/print_dialog.h"
#include "platform/desktop/print_job.h"
#include "platform/desktop/printer_setup.h"
#include "support/test_env.h"

namespace {
const char* const kLegalLandscape = "paper=Legal;width=612;height=1008;orientation=landscape;margins=36,18,36,18";

bool SameLayout(const QPageLayout& a, const QPageLayout& b) {
  PrinterSetup x, y;
  x.SetPageLayout(a);
  y.SetPageLayout(b);
  return x.SetupString() == y.SetupString();
}
}  // namespace

TEST(SongPrinter, CarriesTheKeptLayoutTheTitleAndTheSuggestedFile) {
  PrinterSetup setup;
  ASSERT_TRUE(setup.SetSetupString(kLegalLandscape));
  const PrintDocument document{"Amazing Grace", TestRoot() + "/songs/Amazing Grace.pdf"};
  const auto printer = PrinterPrintJob::NewPrinter(setup, document);
  EXPECT_EQ(printer->docName(), "Amazing Grace");
  EXPECT_EQ(printer->creator(), QCoreApplication::applicationName());
  EXPECT_EQ(printer->resolution(), 72);
  EXPECT_EQ(printer->copyCount(), 1);
  EXPECT_TRUE(SameLayout(printer->pageLayout(), setup.PageLayout()));
  EXPECT_EQ(printer->outputFileName(), document.pdfPath);
  // With a printer installed, it stays the one printed on until the dialog says otherwise.
  if (!QPrinterInfo::defaultPrinterName().isEmpty()) {
    EXPECT_EQ(printer->outputFormat(), QPrinter::NativeFormat);
  }

  const auto plain = PrinterPrintJob::NewPrinter(setup, {"Song", QString()});
  EXPECT_TRUE(plain->outputFileName().isEmpty());
  EXPECT_EQ(plain->docName(), "Song");
}

TEST(PrintDialog, OffersEveryPageToAPrinterOrAFileAndKeepsTheKeptLayout) {
  const auto options = PrintDialog::Options();
  EXPECT_TRUE(options.testFlag(QAbstractPrintDialog::PrintToFile));
  for (auto refused : {QAbstractPrintDialog::PrintPageRange, QAbstractPrintDialog::PrintCurrentPage,
                       QAbstractPrintDialog::PrintSelection, QAbstractPrintDialog::PrintCollateCopies})
    EXPECT_FALSE(options.testFlag(refused)) << refused;

  PrinterSetup setup;
  ASSERT_TRUE(setup.SetSetupString(kLegalLandscape));
  QDir().mkpath(TestRoot() + "/print-dialog");
  const PrintDocument document{"Amazing Grace", TestRoot() + "/print-dialog/Amazing Grace.pdf"};
  auto printer = PrinterPrintJob::NewPrinter(setup, document);
  PrintDialog dlg(printer.get(), setup.PageLayout());
  EXPECT_EQ(dlg.options(), options);
  dlg.show();
  auto* range = dlg.findChild<QGroupBox*>("gbPrintRange");
  ASSERT_TRUE(range) << "Qt's print dialog has no page range group by that name any more";
  EXPECT_TRUE(range->isHidden());
  auto* file = dlg.findChild<QLineEdit*>("filename");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->text(), document.pdfPath);
  dlg.accept();
  EXPECT_TRUE(SameLayout(printer->pageLayout(), setup.PageLayout()));
  EXPECT_EQ(printer->printRange(), QPrinter::AllPages);
  EXPECT_EQ(printer->docName(), "Amazing Grace");
}

TEST(PrintDialog, ThroughTheQtDialogsAPrintToAFileGoesWhereItWasSuggested) {
  if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is installed: the dialog would choose it";
  PrinterSetup setup;
  QDir().mkpath(TestRoot() + "/suggested");
  const PrintDocument document{"Amazing Grace", TestRoot() + "/suggested/Amazing Grace.pdf"};
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* dlg = qobject_cast<PrintDialog*>(QApplication::activeModalWidget());
    if (!dlg) return;
    seen = true;
    dlg->accept();
  });
  QtDialogs qt;
  const auto job = qt.ShowPrinterDialog(setup, document);
  ASSERT_TRUE(seen);
  ASSERT_NE(job, nullptr);
  auto* printerJob = dynamic_cast<PrinterPrintJob*>(job.get());
  ASSERT_NE(printerJob, nullptr);
  EXPECT_EQ(printerJob->Printer().outputFileName(), document.pdfPath);
  EXPECT_EQ(printerJob->Printer().outputFormat(), QPrinter::PdfFormat);
  EXPECT_EQ(printerJob->Printer().resolution(), 72);
  EXPECT_TRUE(SameLayout(printerJob->Printer().pageLayout(), setup.PageLayout()));
}
