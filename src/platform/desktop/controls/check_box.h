#pragma once
// A check box whose Action fires, synchronously, whenever its value changes, by a click or by
// SetValue from code.
#include <QCheckBox>

class CheckBox : public QCheckBox {
  Q_OBJECT
 public:
  explicit CheckBox(QWidget* parent = nullptr);

  bool Value() const { return isChecked(); }
  void SetValue(bool on) { setChecked(on); }

 signals:
  void Action();
};
