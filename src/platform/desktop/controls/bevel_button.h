#pragma once
// A toggle button: each change of Value by the user (a click, the keyboard, a screen reader's
// toggle) fires Action once, with the new value in place. SetValue from code changes the look only
// and fires nothing.
#include <QPushButton>

class BevelButton : public QPushButton {
  Q_OBJECT
 public:
  explicit BevelButton(QWidget* parent = nullptr);

  bool Value() const { return isChecked(); }
  void SetValue(bool down);

 signals:
  void Action();
};
