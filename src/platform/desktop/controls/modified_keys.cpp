#include "platform/desktop/controls/modified_keys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

ModifiedKeyFilter* ModifiedKeyFilter::Instance() {
  // Owned by the application, so that it outlives every control it is installed on.
  static ModifiedKeyFilter* filter = new ModifiedKeyFilter(QCoreApplication::instance());
  return filter;
}

void ModifiedKeyFilter::InstallOn(QWidget* control) { control->installEventFilter(Instance()); }

bool ModifiedKeyFilter::TypesWithModifier(const QKeyEvent& e) {
  // Super comes to Qt as its Meta modifier.
  const Qt::KeyboardModifiers held = e.modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier);
  // Ctrl and Alt together is how some keyboards reach their third level (AltGr): that types.
  if (held == Qt::NoModifier || held == (Qt::AltModifier | Qt::ControlModifier)) return false;
  const QString text = e.text();
  if (text.isEmpty()) return false;
  // The control's own editing keys (Ctrl+V, Ctrl+Z, Ctrl+A, ...) may carry their letter as text.
  for (int k = QKeySequence::HelpContents; k <= QKeySequence::Cancel; ++k)
    if (e.matches(static_cast<QKeySequence::StandardKey>(k))) return false;
  for (const QChar c : text)
    if (!c.isPrint()) return false;
  return true;
}

bool ModifiedKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && TypesWithModifier(*static_cast<QKeyEvent*>(event))) {
    // Left to the window, which does nothing with it.
    event->ignore();
    return true;
  }
  return QObject::eventFilter(watched, event);
}
