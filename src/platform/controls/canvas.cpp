#include "platform/controls/canvas.h"

#include "platform/guard.h"
#include "platform/painter_graphics.h"

Canvas::Canvas(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAutoFillBackground(false);
}

void Canvas::paintEvent(QPaintEvent*) {
  if (!paint_) return;
  Guarded([this] {
    PainterGraphics g(this, width(), height());
    paint_(this, g);
  });
}
