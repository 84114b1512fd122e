#include "platform/desktop/controls/slider.h"

Slider::Slider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
  setTracking(true);
  setSingleStep(1);
  setPageStep(1);
  setTickPosition(QSlider::NoTicks);
  connect(this, &QSlider::valueChanged, this, [this] { emit ValueChanged(); });
}
