#include "platform/desktop/print_job.h"

#include <cmath>
#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "platform/core/files.h"

#include "platform/core/errors.h"
#include "platform/core/outside_text.h"
#include "platform/desktop/painter_graphics.h"
#include "platform/desktop/print_system.h"

namespace {
constexpr int kDotsPerInch = 72;
constexpr qsizetype kLongestJobName = 255;  // bytes, as the print system takes them
}  // namespace

QString PrintJobName(const QString& title) { return Utf8Prefix(WithoutControls(title), kLongestJobName); }

std::optional<QString> RefusedOutputFile(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  const FolderItem file(path);
  // A new name is fine; what exists is looked at by its status only (links followed), never
  // opened: a named pipe would block until something reads it.
  if (!file.Exists() || file.IsRegularFile()) return std::nullopt;
  return QStringLiteral("\"%1\" is not a regular file.").arg(ShownText(file.Name()));
}

PrinterPrintJob::PrinterPrintJob(std::unique_ptr<QPrinter> printer, int copies)
    : printer_(std::move(printer)), copies_(std::max(1, copies)) {
  if (!printer_) throw NilObjectException(QStringLiteral("No printer to print on"));
  // Copies come from our own loop, so a printer never makes copies of copies.
  printer_->setCopyCount(1);
}

PrinterPrintJob::~PrinterPrintJob() { Finish(); }

std::unique_ptr<QPrinter> PrinterPrintJob::NewPrinter(const PrinterSetup& setup, const PrintDocument& document) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  if (!document.pdfPath.isEmpty()) {
    // The print dialog offers the printer's file name for a print to a file. Naming a file makes
    // the printer a PDF one, so the default printer is chosen again; the dialog drops the file
    // name when a printer is chosen there.
    const QString queue = printer->printerName();
    printer->setOutputFileName(document.pdfPath);
    if (!queue.isEmpty()) {
      printer->setOutputFormat(QPrinter::NativeFormat);
      printer->setPrinterName(queue);
    }
  }
  printer->setDocName(PrintJobName(document.title));
  printer->setCreator(QCoreApplication::applicationName());
  printer->setResolution(kDotsPerInch);
  printer->setFullPage(false);
  printer->setPageLayout(setup.PageLayout());
  printer->setCopyCount(1);
  return printer;
}

void PrinterPrintJob::FinishDialogSetup(QPrinter& printer) { printer.setResolution(kDotsPerInch); }

std::unique_ptr<PrintJob> PrinterPrintJob::ForPdf(const PrinterSetup& setup, const QString& path, int copies,
                                                  const PrintDocument& document) {
  auto printer = NewPrinter(setup, {document.title, QString()});
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(path);
  // Setting the format may bring back the format's own defaults; the setup's page wins.
  printer->setResolution(kDotsPerInch);
  printer->setPageLayout(setup.PageLayout());
  return std::make_unique<PrinterPrintJob>(std::move(printer), copies);
}

std::unique_ptr<PrintJob> PrinterPrintJob::ForPrinter(const PrinterSetup& setup, const QString& queue, int copies,
                                                      const PrintDocument& document) {
  auto printer = NewPrinter(setup, {document.title, QString()});
  printer->setOutputFormat(QPrinter::NativeFormat);
  printer->setPrinterName(queue);
  printer->setOutputFileName(QString());
  printer->setPageLayout(setup.PageLayout());
  FinishDialogSetup(*printer);
  return std::make_unique<PrinterPrintJob>(std::move(printer), copies);
}

bool PrinterPrintJob::PrintsOnQueue() const {
  return !pdfWriter_ && printer_->outputFormat() == QPrinter::NativeFormat && printer_->outputFileName().isEmpty();
}

QString PrinterPrintJob::deviceName() const {
  if (!printer_->outputFileName().isEmpty())
    return QStringLiteral("the file \"%1\"").arg(ShownText(printer_->outputFileName()));
  if (!printer_->printerName().isEmpty())
    return QStringLiteral("the printer \"%1\"").arg(ShownText(printer_->printerName()));
  return QStringLiteral("the printer");
}

bool PrinterPrintJob::Begin() {
  if (graphics_) return true;
  const QRectF area = printer_->pageRect(QPrinter::DevicePixel);
  const int width = std::max(1, int(std::lround(area.width())));
  const int height = std::max(1, int(std::lround(area.height())));
  QPaintDevice* device = printer_.get();
  QPagedPaintDevice* pages = printer_.get();
  if (printer_->outputFormat() == QPrinter::PdfFormat && !printer_->outputFileName().isEmpty()) {
    pdfTarget_ = printer_->outputFileName();
    if (const std::optional<QString> refusal = RefusedOutputFile(pdfTarget_)) {
      error_ = *refusal;
      finished_ = true;
      return false;
    }
    if (!QFileInfo(QFileInfo(pdfTarget_).absolutePath()).isDir()) {
      error_ = QStringLiteral("Printing could not start on %1: its folder does not exist.").arg(deviceName());
      finished_ = true;
      return false;
    }
    pdfBytes_ = std::make_unique<QBuffer>();
    pdfBytes_->open(QIODevice::WriteOnly);
    pdfWriter_ = std::make_unique<QPdfWriter>(pdfBytes_.get());
    pdfWriter_->setResolution(kDotsPerInch);
    pdfWriter_->setPageLayout(printer_->pageLayout());
    pdfWriter_->setTitle(printer_->docName());
    pdfWriter_->setCreator(printer_->creator());
    pdfWriter_->setPdfVersion(printer_->pdfVersion());
    device = pages = pdfWriter_.get();
  }
  try {
    graphics_ = std::make_unique<PainterGraphics>(device, width, height, pages);
  } catch (const RuntimeException&) {
    error_ = QStringLiteral("Printing could not start on %1.").arg(deviceName());
    finished_ = true;
    return false;
  }
  return true;
}

Graphics& PrinterPrintJob::Page() {
  if (!graphics_) throw NilObjectException(QStringLiteral("The print job has not begun"));
  return *graphics_;
}

bool PrinterPrintJob::Finish() {
  if (finished_) return error_.isEmpty();
  finished_ = true;
  if (!graphics_) return true;
  if (!graphics_->End()) {
    error_ = QStringLiteral("Printing on %1 could not be completed.").arg(deviceName());
    return false;
  }
  if (pdfWriter_) return FinishPdf();
  if (PrintsOnQueue()) {
    // Ending the painter handed the job to the print system; a refusal is a failure too.
    if (const std::optional<QString> refusal = LastPrintSystemRefusal()) {
      error_ = QStringLiteral("Printing on %1 could not be completed.\n\n%2").arg(deviceName(), *refusal);
      return false;
    }
  }
  return true;
}

bool PrinterPrintJob::FinishPdf() {
  try {
    TextOutputStream::WriteBytes(FolderItem(pdfTarget_), pdfBytes_->data());
  } catch (const std::exception& e) {
    error_ = QStringLiteral("Printing on %1 could not be completed.\n\n%2").arg(deviceName(), ExceptionReason(e));
    return false;
  }
  return true;
}
