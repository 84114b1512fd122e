// The printer made for a song before the print dialog, and the print dialog itself: what it
// offers and what it leaves on the printer. (On a real CUPS queue: tests/mainwindow/cups_print_test.)
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/desktop/dialogs.h"
#include "platform/desktop/print_dialog.h"
#include "platform/desktop/print_job.h"
#include "platform/desktop/printer_setup.h"
#include "mainwindow/modal_driver.h"
#include "support/doubles/scripted_dialogs.h"
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

TEST(SongPrinter, TheJobIsNamedWithoutControlCharactersInAt255Bytes) {
  const QString e = QString::fromUtf8("\u00e9");
  const struct {
    QString title, jobName;
  } cases[] = {
      {"Amazing Grace", "Amazing Grace"},
      {"Line\nbreak\ttab\x1B[31m", "Line break tab [31m"},
      {QString(10000, 'a'), QString(255, 'a')},
      {e.repeated(200), e.repeated(127)},  // 254 bytes: the next would cut a character
  };
  for (const auto& c : cases) {
    const auto printer = PrinterPrintJob::NewPrinter(PrinterSetup(), {c.title, QString()});
    EXPECT_EQ(printer->docName(), c.jobName) << c.title.left(40).toStdString();
  }
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
  if (!QPrinterInfo::availablePrinters().isEmpty())
    GTEST_SKIP() << "a printer is installed: the dialog would choose it";
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

TEST(PrintDialog, RefusesAnOutputThatIsNotARegularFileWithoutOpeningIt) {
  if (!QPrinterInfo::availablePrinters().isEmpty())
    GTEST_SKIP() << "a printer is installed: the dialog would choose it";
  const QString folder = TestRoot() + "/print-pipe";
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString pipe = folder + "/Amazing Grace.pdf";
  const QByteArray pipeName = QFile::encodeName(pipe);
  ASSERT_EQ(::mkfifo(pipeName.constData(), 0600), 0);
  // Whatever opens the pipe to write blocks until a reader comes: after ten seconds the watchdog
  // comes as the reader, so that a regression fails instead of hanging.
  std::atomic<bool> done{false}, rescued{false};
  std::thread watchdog([&] {
    for (int i = 0; i < 1000 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (done) return;
    rescued = true;
    const int fd = ::open(pipeName.constData(), O_RDONLY | O_NONBLOCK);
    while (!done) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (fd >= 0) ::close(fd);
  });
  ModalDriver<QMessageBox> closer([](QMessageBox* box) { box->reject(); });  // Qt's own questions
  ScriptedDialogs answers;
  PrinterSetup setup;
  auto printer = PrinterPrintJob::NewPrinter(setup, {"Amazing Grace", pipe});
  PrintDialog dlg(printer.get(), setup.PageLayout());
  dlg.show();
  dlg.accept();
  const bool stayed = dlg.isVisible();
  done = true;
  watchdog.join();
  EXPECT_FALSE(rescued) << "the pipe was opened";
  EXPECT_EQ(answers.msgBoxes, QStringList{"\"Amazing Grace.pdf\" is not a regular file."});
  EXPECT_TRUE(stayed);  // for another choice
  EXPECT_FALSE(QFileInfo(pipe).isFile());
}
