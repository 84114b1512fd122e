#pragma once
// Qt's print dialog, set up for a song: it offers the printers and a PDF file, and the number of
// copies, but no page range, current page or selection (every page is printed). The page layout
// kept from Page Setup (paper size, orientation, margins) is what the printer's properties show
// and what is printed, unless the user accepts other properties in the dialog: Qt's own dialog
// would give the printer the device's default paper instead.
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
  // Sets the printer up from the dialog (Qt's work), then gives it the kept page layout again
  // unless the user accepted the printer's properties.
  void accept() override;

 protected:
  void childEvent(QChildEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPageLayout kept_;
};
