#include "platform/desktop/controls/bevel_button.h"

#include <QSignalBlocker>

BevelButton::BevelButton(QWidget* parent) : QPushButton(parent) {
  setCheckable(true);
  setAutoDefault(false);
  connect(this, &QPushButton::clicked, this, [this] { emit Action(); });
}

void BevelButton::SetValue(bool down) {
  const QSignalBlocker block(this);
  setChecked(down);
}
