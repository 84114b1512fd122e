#pragma once
// A drawing area that never takes the focus; every paint hands a Graphics over the whole area to
// the paint handler.
#include <QWidget>
#include <functional>

class Graphics;

class Canvas : public QWidget {
  Q_OBJECT
 public:
  using PaintHandler = std::function<void(Canvas*, Graphics&)>;
  explicit Canvas(QWidget* parent = nullptr);

  void SetPaintHandler(PaintHandler handler) { paint_ = std::move(handler); }
  // Asks for a repaint of the whole area, or of a part of it (nothing for an empty part).
  void Refresh() { update(); }
  void Refresh(const QRect& part) {
    if (!part.isEmpty()) update(part);
  }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PaintHandler paint_;
};
