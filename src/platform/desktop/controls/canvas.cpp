#include "platform/desktop/controls/canvas.h"

#include <QAccessibleWidget>

#include "platform/core/guard.h"
#include "platform/desktop/painter_graphics.h"

namespace {
// Assistive technology sees a canvas as a picture (a plain widget would be a mere "client"
// area); its name and description are the widget's own accessible name and description.
QAccessibleInterface* CanvasAccessible(const QString& className, QObject* object) {
  if (className != QLatin1String("Canvas") || !object || !object->isWidgetType()) return nullptr;
  return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
}
}  // namespace

Canvas::Canvas(QWidget* parent) : QWidget(parent) {
  static const bool factoryInstalled = (QAccessible::installFactory(CanvasAccessible), true);
  (void)factoryInstalled;
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
