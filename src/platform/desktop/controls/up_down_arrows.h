#pragma once
// A pair of small arrows, one above the other: a click on the upper half (or the Up key while
// focused) raises Up, on the lower half (or the Down key) raises Down.
//
// Screen readers meet the arrows as a spin button: its value is the position that the owner sets
// (the arrows themselves only raise Up and Down; Up steps towards the first position, Down
// towards the last), and its increase and decrease actions raise Down and Up.
#include <QWidget>

class UpDownArrows : public QWidget {
  Q_OBJECT
 public:
  explicit UpDownArrows(QWidget* parent = nullptr);

  // The position shown, between first and last; a screen reader hears of each change.
  void SetPosition(int position, int first, int last);
  int Position() const { return position_; }
  int First() const { return first_; }
  int Last() const { return last_; }

 signals:
  void Up();
  void Down();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int pressed_ = 0;  // -1 up, 1 down, 0 none
  int position_ = 1;
  int first_ = 1;
  int last_ = 1;
};
