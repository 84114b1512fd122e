#include "platform/desktop/controls/check_box.h"

CheckBox::CheckBox(QWidget* parent) : QCheckBox(parent) {
  connect(this, &QCheckBox::toggled, this, [this] { emit Action(); });
}
