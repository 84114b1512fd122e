#include "platform/desktop/dialogs.h"

#include <QApplication>
#include <algorithm>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QUrl>

#include "platform/core/filetype.h"
#include "platform/core/guard.h"
#include "platform/desktop/message_text.h"
#include "platform/desktop/page_setup_dialog.h"
#include "platform/desktop/print_dialog.h"

namespace {
Dialogs* g_installed = nullptr;
QPointer<QWidget> g_parent;

QWidget* parentWindow() {
  if (g_parent) return g_parent;
  return QApplication::activeWindow();
}

// Qt's own file dialog in either mode, starting in the folder a file dialog should start in.
void SetUpFileDialog(QFileDialog& dlg, const QStringList& filters, const FolderItem& documentFolder) {
  // Qt's dialog matches the filters in any letter case ("*.hmnt" shows "SONG.HMNT" too), where the
  // desktop's dialogs would not, and it starts where it is told to.
  dlg.setOption(QFileDialog::DontUseNativeDialog, true);
  dlg.setNameFilters(filters);
  dlg.setDirectory(Dialogs::StartFolder(documentFolder).Path());
}

// A message box that shows its texts as plain text (outside text is data, never markup that
// would be read, followed or laid out as a page) and never grows past the screen: a message too
// long for it is shortened in the middle of its lines and after its first lines, with the whole
// of it in the details area, until the box, its details shown too, fits the screen.
class FittedMessageBox : public QMessageBox {
 public:
  FittedMessageBox(QWidget* parent, const QString& message, const QString& explanation)
      : QMessageBox(parent), message_(message), explanation_(explanation) {
    setTextFormat(Qt::PlainText);
    // Cut before anything is laid out: a huge text costs only the lines that are kept.
    const QRect room = screen() ? screen()->availableGeometry() : QRect(0, 0, 800, 600);
    lines_ = std::max(4, room.height() / (2 * std::max(1, fontMetrics().lineSpacing())));
    SetTexts();
  }

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);  // Qt gives the box its size here
    Fit();
  }

 private:
  void SetTexts() {
    const FittedMessage text = FitMessage(message_, lines_, characters_);
    const FittedMessage explanation = FitMessage(explanation_, lines_, characters_);
    setText(BreakableText(text.text));
    setInformativeText(BreakableText(explanation.text));
    if (auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel")))
      label->setTextFormat(Qt::PlainText);
    if (text.cut || explanation.cut) {
      if (detailedText().isEmpty())
        setDetailedText(
            DetailsText(explanation_.isEmpty() ? message_ : message_ + QStringLiteral("\n\n") + explanation_));
    }
  }

  int DetailsHeight() const {
    if (detailedText().isEmpty()) return 0;
    const auto* details = findChild<QTextEdit*>();
    if (!details || !details->parentWidget()) return 0;
    return details->parentWidget()->isVisible() ? 0 : details->parentWidget()->sizeHint().height();
  }

  void Fit() {
    if (!screen()) return;
    const QRect room = screen()->availableGeometry();
    while (frameGeometry().width() > room.width() || frameGeometry().height() + DetailsHeight() > room.height()) {
      if (lines_ <= 2 && characters_ <= kFewestCharacters) break;
      lines_ = std::max(2, lines_ * 2 / 3);
      characters_ = std::max(kFewestCharacters, characters_ * 2 / 3);
      SetTexts();
    }
    // Centred where Qt put it, then moved wholly onto the screen, buttons and all, with room below
    // for the details area should it be shown.
    QRect placed = frameGeometry();
    const int lowestTop = room.bottom() - placed.height() - DetailsHeight() + 1;
    placed.moveLeft(std::clamp(placed.left(), room.left(), std::max(room.left(), room.right() - placed.width() + 1)));
    placed.moveTop(std::clamp(placed.top(), room.top(), std::max(room.top(), lowestTop)));
    move(placed.topLeft());
  }

  static constexpr int kFewestCharacters = 40;
  QString message_;
  QString explanation_;
  int lines_ = 24;
  int characters_ = 400;
};
}  // namespace

Dialogs& Dialogs::Current() {
  static QtDialogs qt;
  return g_installed ? *g_installed : qt;
}

void Dialogs::Install(Dialogs* d) { g_installed = d; }

void ReportErrorsInDialogs() {
  SetErrorReporter([](const QString& report) { Dialogs::Current().MsgBox(report); });
}

void Dialogs::SetParentWindow(QWidget* w) { g_parent = w; }

QStringList Dialogs::OpenDialogFilters(const QString& filter) {
  return FileTypeRegistry::QtNameFilters(filter) << QStringLiteral("All files (*)");
}

QStringList Dialogs::SaveDialogFilters(const QString& filter) { return FileTypeRegistry::QtNameFilters(filter); }

FolderItem Dialogs::StartFolder(const FolderItem& documentFolder) {
  if (documentFolder.IsFolder()) return documentFolder;
  const FolderItem& used = Current().folderUsed_;
  if (used.IsFolder()) return used;
  return SpecialFolder::Preferences();
}

void Dialogs::NoteFolderUsed(const FolderItem& folder) {
  if (folder.IsValid()) Current().folderUsed_ = folder;
}

void QtDialogs::MsgBox(const QString& text) {
  FittedMessageBox box(parentWindow(), text, QString());
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
}

DialogButton QtDialogs::ShowMessageDialog(const MessageDialogRequest& request) {
  FittedMessageBox box(parentWindow(), request.Message, request.Explanation);
  switch (request.Icon) {
    case MessageDialogRequest::Note:
      box.setIcon(QMessageBox::Information);
      break;
    case MessageDialogRequest::Stop:
      box.setIcon(QMessageBox::Critical);
      break;
    case MessageDialogRequest::Question:
      box.setIcon(QMessageBox::Question);
      break;
    default:
      box.setIcon(QMessageBox::Warning);
      break;
  }
  QPushButton* action = box.addButton(request.ActionButton, QMessageBox::AcceptRole);
  QPushButton* alternate = request.AlternateButton.isEmpty()
                               ? nullptr
                               : box.addButton(request.AlternateButton, QMessageBox::DestructiveRole);
  QPushButton* cancel =
      request.CancelButton.isEmpty() ? nullptr : box.addButton(request.CancelButton, QMessageBox::RejectRole);
  box.setDefaultButton(action);
  if (cancel) box.setEscapeButton(cancel);
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  if (clicked == action) return DialogButton::Action;
  if (alternate && clicked == alternate) return DialogButton::Alternate;
  return DialogButton::Cancel;  // Cancel, Escape or the window closed
}

std::optional<FolderItem> QtDialogs::GetOpenFolderItem(const QString& filter, const FolderItem& documentFolder) {
  QFileDialog dlg(parentWindow());
  dlg.setAcceptMode(QFileDialog::AcceptOpen);
  dlg.setFileMode(QFileDialog::ExistingFile);
  SetUpFileDialog(dlg, OpenDialogFilters(filter), documentFolder);
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
  const FolderItem chosen(dlg.selectedFiles().first());
  NoteFolderUsed(chosen.Parent());
  return chosen;
}

std::optional<FolderItem> QtDialogs::GetSaveFolderItem(const QString& filter, const QString& suggestedName,
                                                       const FolderItem& documentFolder) {
  QFileDialog dlg(parentWindow());
  dlg.setAcceptMode(QFileDialog::AcceptSave);
  dlg.setFileMode(QFileDialog::AnyFile);
  SetUpFileDialog(dlg, SaveDialogFilters(filter), documentFolder);
  const QString ext = FileTypeRegistry::DefaultExtension(filter);
  if (!ext.isEmpty()) dlg.setDefaultSuffix(ext.mid(1));
  dlg.setOption(QFileDialog::DontConfirmOverwrite, false);
  dlg.selectFile(suggestedName);
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
  QString path = dlg.selectedFiles().first();
  if (!ext.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += ext;
  const FolderItem chosen(path);
  NoteFolderUsed(chosen.Parent());
  return chosen;
}

void QtDialogs::ShowURL(const QString& url) {
  QString u = url;
  if (!u.contains(QStringLiteral("://")) && !u.startsWith(QStringLiteral("mailto:")))
    u.prepend(QStringLiteral("https://"));
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

std::unique_ptr<PrintJob> QtDialogs::ShowPrinterDialog(PrinterSetup& setup, const PrintDocument& document) {
  std::unique_ptr<QPrinter> printer = PrinterPrintJob::NewPrinter(setup, document);
  PrintDialog dlg(printer.get(), setup.PageLayout(), parentWindow());
  if (dlg.exec() != QDialog::Accepted) return nullptr;
  // Read the copies the user chose; the job then sets the device's own count to 1.
  const int copies = printer->copyCount();
  PrinterPrintJob::FinishDialogSetup(*printer);
  return std::make_unique<PrinterPrintJob>(std::move(printer), copies);
}
