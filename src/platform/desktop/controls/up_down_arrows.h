#pragma once
// A pair of small arrows, one above the other: a click on the upper half (or the Up key while
// focused) raises Up, on the lower half (or the Down key) raises Down.
#include <QWidget>

class UpDownArrows : public QWidget {
  Q_OBJECT
 public:
  explicit UpDownArrows(QWidget* parent = nullptr);

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
};
