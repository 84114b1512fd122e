#include "platform/desktop/controls/canvas.h"

#include "platform/core/guard.h"
#include "platform/desktop/painter_graphics.h"

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
