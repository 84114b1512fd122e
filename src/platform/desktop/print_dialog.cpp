#include "platform/desktop/print_dialog.h"

#include <QChildEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPrinter>

#include "platform/desktop/dialogs.h"
#include "platform/desktop/print_job.h"

namespace {
// The names Qt gives the parts of its print dialog that matter here.
const char* const kPageRangeGroup = "gbPrintRange";
const char* const kPageSizeBox = "pageSizeCombo";
const char* const kFileName = "filename";
// Qt's slot behind Print: it tries the output file (opening it, asking before replacing it), then
// accepts the dialog.
const char* const kQtOutputCheck = "_q_checkFields";
// Marks on a printer-properties dialog: its page was set from the kept layout; the user accepted it.
const char* const kPageShown = "harmonotePageShown";
const char* const kAccepted = "harmonoteAccepted";

// The printer-properties dialog Qt makes inside the print dialog (when its button is pressed, or
// when the print dialog is accepted), or nullptr.
QDialog* PropertiesDialog(const QObject* printDialog) {
  for (QDialog* d : printDialog->findChildren<QDialog*>(Qt::FindDirectChildrenOnly))
    if (d->findChild<QComboBox*>(kPageSizeBox)) return d;
  return nullptr;
}

// Selects the paper size of layout in the properties' paper box, when the printer offers it.
void ShowPaperSize(QDialog* properties, const QPageLayout& layout) {
  QComboBox* box = properties->findChild<QComboBox*>(kPageSizeBox);
  if (!box) return;
  for (int i = 0; i < box->count(); ++i) {
    const QPageSize size = qvariant_cast<QPageSize>(box->itemData(i));
    if (size.isValid() && size.isEquivalentTo(layout.pageSize())) {
      box->setCurrentIndex(i);
      return;
    }
  }
}
}  // namespace

PrintDialog::PrintDialog(QPrinter* printer, const QPageLayout& kept, QWidget* parent)
    : QPrintDialog(printer, parent), kept_(kept) {
  setOptions(Options());
  // Print (its button, its shortcut or Return) makes the button box accept, and Qt's dialog
  // answers that by trying the output file before accept() is called: opening it, which blocks
  // for ever on a named pipe, or asking whether to replace a device. Our check comes first.
  if (auto* buttons = findChild<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly);
      buttons && disconnect(buttons, &QDialogButtonBox::accepted, this, nullptr))
    connect(buttons, &QDialogButtonBox::accepted, this, &PrintDialog::PrintPressed);
}

QAbstractPrintDialog::PrintDialogOptions PrintDialog::Options() {
  // Copies are collated by our own printing loop, so Qt's collate choice is not offered either.
  return QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize;
}

void PrintDialog::setVisible(bool visible) {
  QPrintDialog::setVisible(visible);
  // With CUPS, Qt shows its page range choices even when the application asks for none.
  if (visible)
    if (auto* range = findChild<QGroupBox*>(kPageRangeGroup)) range->hide();
}

bool PrintDialog::RefusesOutput() {
  const auto* file = findChild<QLineEdit*>(kFileName);
  if (!file || !file->isEnabled()) return false;  // a printer is chosen
  const std::optional<QString> refusal = RefusedOutputFile(file->text());
  if (!refusal) return false;
  Dialogs::Current().MsgBox(*refusal);
  return true;
}

void PrintDialog::PrintPressed() {
  if (RefusesOutput()) return;
  if (!QMetaObject::invokeMethod(this, kQtOutputCheck)) accept();
}

void PrintDialog::accept() {
  if (RefusesOutput()) return;
  const QDialog* properties = PropertiesDialog(this);
  const bool userChoseProperties = properties && properties->property(kAccepted).toBool();
  QPrintDialog::accept();
  if (!userChoseProperties) printer()->setPageLayout(kept_);
}

void PrintDialog::childEvent(QChildEvent* event) {
  // A properties dialog shows the kept paper once it is on screen; it is made later than this
  // dialog, and made again when another printer is chosen.
  if (event->type() == QEvent::ChildAdded && event->child()->isWidgetType()) event->child()->installEventFilter(this);
  QPrintDialog::childEvent(event);
}

bool PrintDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show && watched->parent() == this && !watched->property(kPageShown).toBool()) {
    if (auto* properties = qobject_cast<QDialog*>(watched);
        properties && properties->findChild<QComboBox*>(kPageSizeBox)) {
      properties->setProperty(kPageShown, true);
      ShowPaperSize(properties, kept_);
      connect(properties, &QDialog::accepted, properties, [properties] { properties->setProperty(kAccepted, true); });
    }
  }
  return QPrintDialog::eventFilter(watched, event);
}
