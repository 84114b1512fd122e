#include "shell/standard_actions.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <type_traits>

namespace {

template <typename Edit>
bool RunOn(Edit* edit, const QString& name) {
  if (!edit) return false;
  // A read-only text (the help page, say) may be copied and selected, never changed.
  const bool changes = name != QLatin1String("EditCopy") && name != QLatin1String("EditSelectAll");
  if (changes && edit->isReadOnly()) return true;
  if (name == QLatin1String("EditUndo"))
    edit->undo();
  else if (name == QLatin1String("EditCut"))
    edit->cut();
  else if (name == QLatin1String("EditCopy"))
    edit->copy();
  else if (name == QLatin1String("EditPaste"))
    edit->paste();
  else if (name == QLatin1String("EditSelectAll"))
    edit->selectAll();
  else if (name == QLatin1String("EditClear")) {
    if constexpr (std::is_same_v<Edit, QLineEdit>) {
      if (edit->hasSelectedText()) edit->del();
    } else
      edit->textCursor().removeSelectedText();
  }
  return true;
}

}  // namespace

void RunStandardEditAction(const QString& itemName) {
  QWidget* focus = QApplication::focusWidget();
  if (RunOn(qobject_cast<QLineEdit*>(focus), itemName)) return;
  if (RunOn(qobject_cast<QTextEdit*>(focus), itemName)) return;
  RunOn(qobject_cast<QPlainTextEdit*>(focus), itemName);
}

void QuitApplication() { QApplication::closeAllWindows(); }
