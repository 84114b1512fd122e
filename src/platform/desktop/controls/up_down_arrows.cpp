#include "platform/desktop/controls/up_down_arrows.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOption>

UpDownArrows::UpDownArrows(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::StrongFocus); }

void UpDownArrows::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QPalette& pal = palette();
  const int w = width(), h = height(), half = h / 2;
  const QRect top(0, 0, w, half), bottom(0, half, w, h - half);
  p.fillRect(top, pressed_ < 0 ? pal.dark() : pal.button());
  p.fillRect(bottom, pressed_ > 0 ? pal.dark() : pal.button());
  p.setPen(pal.mid().color());
  p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
  p.drawLine(QPointF(0.5, half + 0.5), QPointF(w - 0.5, half + 0.5));
  if (hasFocus()) {
    p.setPen(pal.highlight().color());
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
  }
  auto arrow = [&](const QRect& r, bool up) {
    const double cx = r.center().x() + 0.5, cy = r.center().y() + 0.5, s = std::min(r.width(), r.height()) / 3.0;
    QPainterPath path;
    path.moveTo(cx - s, up ? cy + s / 2 : cy - s / 2);
    path.lineTo(cx + s, up ? cy + s / 2 : cy - s / 2);
    path.lineTo(cx, up ? cy - s / 2 : cy + s / 2);
    path.closeSubpath();
    p.fillPath(path, pal.buttonText());
  };
  arrow(top, true);
  arrow(bottom, false);
}

void UpDownArrows::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  setFocus(Qt::MouseFocusReason);
  pressed_ = event->position().y() < height() / 2.0 ? -1 : 1;
  update();
  if (pressed_ < 0) {
    emit Up();
  } else {
    emit Down();
  }
}

void UpDownArrows::mouseReleaseEvent(QMouseEvent* event) {
  pressed_ = 0;
  update();
  QWidget::mouseReleaseEvent(event);
}

void UpDownArrows::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Up) {
    emit Up();
  } else if (event->key() == Qt::Key_Down) {
    emit Down();
  } else {
    QWidget::keyPressEvent(event);
  }
}
