#include "shell/dialogs/dialog_parts.h"

#include "platform/desktop/controls/modified_keys.h"

namespace dialog_parts {

void SetUpWindow(QDialog* d, const QString& title, int width, int height) {
  d->setWindowTitle(title);
  d->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  d->setFixedSize(width, height);
  d->setModal(true);
}

QLabel* AddLabel(QDialog* d, const QString& name, const QString& text, int left, int top, int width, int height,
                 Qt::Alignment align) {
  auto* l = new QLabel(text, d);
  l->setTextFormat(Qt::PlainText);
  l->setObjectName(name);
  l->setGeometry(left, top, width, height);
  l->setAlignment(align);
  l->setTextInteractionFlags(Qt::NoTextInteraction);
  return l;
}

QLineEdit* AddTextField(QDialog* d, const QString& name, int left, int top, int width, int height) {
  auto* f = new QLineEdit(d);
  f->setObjectName(name);
  f->setGeometry(left, top, width, height);
  f->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  ModifiedKeyFilter::InstallOn(f);
  return f;
}

QPushButton* AddButton(QDialog* d, const QString& name, const QString& caption, int left, int top, int width,
                       int height) {
  auto* b = new QPushButton(caption, d);
  b->setObjectName(name);
  b->setGeometry(left, top, width, height);
  b->setAutoDefault(false);
  return b;
}

bool EscapePresses(QKeyEvent* e, QPushButton* cancel) {
  if (e->key() != Qt::Key_Escape || e->modifiers() != Qt::NoModifier) return false;
  cancel->click();
  return true;
}

}  // namespace dialog_parts
