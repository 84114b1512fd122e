#include "platform/desktop/controls/bevel_button.h"

#include <QSignalBlocker>

BevelButton::BevelButton(QWidget* parent) : QPushButton(parent) {
  setCheckable(true);
  setAutoDefault(false);
  // Every change of the state, not only a click: a screen reader's toggle action flips the state
  // without a click.
  connect(this, &QPushButton::toggled, this, [this] { emit Action(); });
}

void BevelButton::SetValue(bool down) {
  const QSignalBlocker block(this);
  setChecked(down);
}
