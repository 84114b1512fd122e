#pragma once
// A horizontal slider of whole numbers. ValueChanged fires, synchronously, for every change of the
// value: each step of a drag, each key step, and SetValue from code. A value outside the range is
// brought to the nearest end.
#include <QSlider>

class Slider : public QSlider {
  Q_OBJECT
 public:
  explicit Slider(QWidget* parent = nullptr);

  int Value() const { return value(); }
  void SetValue(int v) { setValue(v); }
  int Minimum() const { return minimum(); }
  int Maximum() const { return maximum(); }

 signals:
  void ValueChanged();
};
