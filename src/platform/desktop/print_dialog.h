#pragma once
// Qt's print dialog, set up for a song: it offers the printers and a PDF file, and the number of
// copies, but no page range, current page or selection (every page is printed). The page layout
// kept from Page Setup (paper size, orientation, margins) is what the printer's properties show
// and what is printed, unless the user accepts other properties in the dialog: Qt's own dialog
// would give the printer the device's default paper instead. A file output that exists and is no
// regular file (a named pipe, a link to one, a device, a socket, a folder) is refused before
// anything opens it or asks about it, and the dialog stays for another choice.
#include <QPageLayout>
#include <QPrintDialog>

class PrintDialog : public QPrintDialog {
  Q_OBJECT
 public:
  // printer: prepared by PrinterPrintJob::NewPrinter from the kept setup, whose layout is kept.
  PrintDialog(QPrinter* printer, const QPageLayout& kept, QWidget* parent = nullptr);

  // The options the dialog is shown with.
  static PrintDialogOptions Options();

  void setVisible(bool visible) override;
  // Refuses an output that is no regular file; else sets the printer up from the dialog (Qt's
  // work), then gives it the kept page layout again unless the user accepted the printer's
  // properties.
  void accept() override;

 protected:
  void childEvent(QChildEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Print was pressed: our check of the output, then Qt's own, which accepts.
  void PrintPressed();
  // Whether the file output is chosen and names something that is no regular file; the refusal
  // has been shown then.
  bool RefusesOutput();

  QPageLayout kept_;
};
