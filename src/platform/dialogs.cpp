#include "platform/dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPointer>
#include <QPushButton>
#include <QUrl>

#include "platform/filetype.h"
#include "platform/page_setup_dialog.h"

namespace {
Dialogs* g_installed = nullptr;
QPointer<QWidget> g_parent;

QWidget* parentWindow() {
  if (g_parent) return g_parent;
  return QApplication::activeWindow();
}
}  // namespace

Dialogs& Dialogs::Current() {
  static QtDialogs qt;
  return g_installed ? *g_installed : qt;
}

void Dialogs::Install(Dialogs* d) { g_installed = d; }

void Dialogs::SetParentWindow(QWidget* w) { g_parent = w; }

void QtDialogs::MsgBox(const QString& text) {
  QMessageBox box(parentWindow());
  box.setText(text);
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
}

DialogButton QtDialogs::ShowMessageDialog(const MessageDialogSpec& request) {
  QMessageBox box(parentWindow());
  switch (request.Icon) {
    case MessageDialogSpec::Note: box.setIcon(QMessageBox::Information); break;
    case MessageDialogSpec::Stop: box.setIcon(QMessageBox::Critical); break;
    case MessageDialogSpec::Question: box.setIcon(QMessageBox::Question); break;
    default: box.setIcon(QMessageBox::Warning); break;
  }
  box.setText(request.Message);
  if (!request.Explanation.isEmpty()) box.setInformativeText(request.Explanation);
  QPushButton* action = box.addButton(request.ActionButton, QMessageBox::AcceptRole);
  QPushButton* alternate = request.AlternateButton.isEmpty() ? nullptr : box.addButton(request.AlternateButton, QMessageBox::DestructiveRole);
  QPushButton* cancel = request.CancelButton.isEmpty() ? nullptr : box.addButton(request.CancelButton, QMessageBox::RejectRole);
  box.setDefaultButton(action);
  if (cancel) box.setEscapeButton(cancel);
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  if (clicked == action) return DialogButton::Action;
  if (alternate && clicked == alternate) return DialogButton::Alternate;
  return DialogButton::Cancel;  // Cancel, Escape or the window closed
}

std::optional<FolderItem> QtDialogs::GetOpenFolderItem(const QString& filter) {
  QFileDialog dlg(parentWindow());
  dlg.setAcceptMode(QFileDialog::AcceptOpen);
  dlg.setFileMode(QFileDialog::ExistingFile);
  dlg.setNameFilters(FileTypeRegistry::QtNameFilters(filter));
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
  return FolderItem(dlg.selectedFiles().first());
}

std::optional<FolderItem> QtDialogs::GetSaveFolderItem(const QString& filter, const QString& suggestedName) {
  QFileDialog dlg(parentWindow());
  dlg.setAcceptMode(QFileDialog::AcceptSave);
  dlg.setFileMode(QFileDialog::AnyFile);
  dlg.setNameFilters(FileTypeRegistry::QtNameFilters(filter));
  const QString ext = FileTypeRegistry::DefaultExtension(filter);
  if (!ext.isEmpty()) dlg.setDefaultSuffix(ext.mid(1));
  dlg.setOption(QFileDialog::DontConfirmOverwrite, false);
  dlg.selectFile(suggestedName);
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
  QString path = dlg.selectedFiles().first();
  if (!ext.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += ext;
  return FolderItem(path);
}

void QtDialogs::ShowURL(const QString& url) {
  QString u = url;
  if (!u.contains(QStringLiteral("://")) && !u.startsWith(QStringLiteral("mailto:"))) u.prepend(QStringLiteral("https://"));
  QDesktopServices::openUrl(QUrl(u));
}

bool QtDialogs::ShowPageSetup(PrinterSetup& setup) {
  // The system's dialog serves real printers only; for anything else it refuses at once.
  if (!QPrinterInfo::availablePrinters().isEmpty()) {
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) info = QPrinterInfo::availablePrinters().first();
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setPageLayout(setup.PageLayout());
    QPageSetupDialog dlg(&printer, parentWindow());
    if (dlg.exec() != QDialog::Accepted) return false;
    setup.SetPageLayout(printer.pageLayout());
    return true;
  }
  PageSetupDialog dlg(setup.PageLayout(), parentWindow());
  if (dlg.exec() != QDialog::Accepted) return false;
  setup.SetPageLayout(dlg.PageLayout());
  return true;
}

std::unique_ptr<PrintJob> QtDialogs::ShowPrinterDialog(PrinterSetup& setup) {
  std::unique_ptr<QPrinter> printer = PrinterPrintJob::NewPrinter(setup);
  QPrintDialog dlg(printer.get(), parentWindow());
  dlg.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
  if (dlg.exec() != QDialog::Accepted) return nullptr;
  // Read the copies the user chose; the job then sets the device's own count to 1.
  const int copies = printer->copyCount();
  printer->setResolution(72);
  return std::make_unique<PrinterPrintJob>(std::move(printer), copies);
}
