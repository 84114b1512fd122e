#pragma once
// A print job handed out by the printer dialog: the page graphics to draw on, the number of copies
// the user asked for, and the failures of the device reported instead of being lost.
#include <QString>
#include <memory>
#include <optional>

#include "platform/core/graphics.h"
#include "platform/desktop/printer_setup.h"

class QBuffer;
class QPdfWriter;
class QPrinter;
class PainterGraphics;

// What is printed: the title that names the job in the print queue and titles a PDF, and the
// file a print to a PDF file is suggested to go to.
struct PrintDocument {
  QString title;
  QString pdfPath;
};

// The name a print job goes to the print system with: the title with a blank for each control
// character, cut at a character boundary to the 255 bytes (UTF-8) a job name may have.
QString PrintJobName(const QString& title);

// Why a print to the file at path is refused before anything opens it: the file exists and is not
// a regular file (nor a link to one), such as a named pipe or a device. Nothing for a new name.
std::optional<QString> RefusedOutputFile(const QString& path);

class PrintJob {
 public:
  virtual ~PrintJob() = default;

  // Starts the first page; false, with ErrorText, when the printer or the file cannot be written.
  virtual bool Begin() = 0;
  // The page graphics; only after a successful Begin. NextPage on it ends the current page.
  virtual Graphics& Page() = 0;
  // The copies asked for in the dialog (at least 1); the device itself always makes one.
  virtual int Copies() const = 0;
  // Ends the job and sends it off; false, with ErrorText, when the device reported a failure.
  virtual bool Finish() = 0;
  virtual QString ErrorText() const = 0;
};

// A job on a QPrinter (a real printer or a PDF file) at 72 dots per inch: the page graphics is the
// printable area in points. A PDF file is made in memory with the printer's page layout and title
// and then written as a save is (checked, synced, then put in place), so a file that cannot be
// written completely is reported and no broken file is left at the target. A job that the print
// system refuses (a queue that does not accept jobs) is reported with the system's reason.
class PrinterPrintJob : public PrintJob {
 public:
  PrinterPrintJob(std::unique_ptr<QPrinter> printer, int copies);
  ~PrinterPrintJob() override;

  // A printer for setup and document, before the print dialog: 72 dpi, the setup's page layout,
  // the document's title as the job's name and the PDF's title, document.pdfPath as the file a
  // print to a file is offered, the device's copy count 1. It prints on the default printer
  // when there is one.
  static std::unique_ptr<QPrinter> NewPrinter(const PrinterSetup& setup, const PrintDocument& document = {});
  // What the print dialog leaves to do once accepted: 72 dpi again (the dialog's printer choice
  // may bring the device's own resolution back).
  static void FinishDialogSetup(QPrinter& printer);
  // A job that writes a PDF file at path.
  static std::unique_ptr<PrintJob> ForPdf(const PrinterSetup& setup, const QString& path, int copies,
                                          const PrintDocument& document = {});
  // A job on the print queue of that name, as the print dialog leaves it when the queue is chosen.
  static std::unique_ptr<PrintJob> ForPrinter(const PrinterSetup& setup, const QString& queue, int copies,
                                              const PrintDocument& document = {});

  bool Begin() override;
  Graphics& Page() override;
  int Copies() const override { return copies_; }
  bool Finish() override;
  QString ErrorText() const override { return error_; }

  QPrinter& Printer() { return *printer_; }

 private:
  QString deviceName() const;
  bool FinishPdf();
  bool PrintsOnQueue() const;

  std::unique_ptr<QPrinter> printer_;
  QString pdfTarget_;
  std::unique_ptr<QBuffer> pdfBytes_;
  std::unique_ptr<QPdfWriter> pdfWriter_;
  std::unique_ptr<PainterGraphics> graphics_;
  int copies_;
  bool finished_ = false;
  QString error_;
};
