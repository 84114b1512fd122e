#include "platform/desktop/controls/up_down_arrows.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOption>
#include <algorithm>
#include <cstdlib>

namespace {
// What screen readers read of the arrows: a spin button with the position as its value, stepped
// by its increase and decrease actions as the arrows step it. A spin button, because that is what
// the arrows are, a focusable control stepping one value up and down; screen readers speak its
// value, and every change of it, and offer its actions.
class ArrowsAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit ArrowsAccessible(UpDownArrows* arrows) : QAccessibleWidget(arrows, QAccessible::SpinBox) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Value) return QString::number(Arrows()->Position());
    return QAccessibleWidget::text(kind);
  }

  QVariant currentValue() const override { return Arrows()->Position(); }
  QVariant minimumValue() const override { return Arrows()->First(); }
  QVariant maximumValue() const override { return Arrows()->Last(); }
  QVariant minimumStepSize() const override { return 1; }
  // Steps there, one arrow press at a time.
  void setCurrentValue(const QVariant& value) override {
    UpDownArrows* arrows = Arrows();
    const int target = std::clamp(value.toInt(), arrows->First(), std::max(arrows->First(), arrows->Last()));
    for (int steps = std::abs(target - arrows->Position()); steps > 0 && arrows->Position() != target; --steps)
      Step(target > arrows->Position());
  }

  QStringList actionNames() const override {
    QStringList names;
    if (widget()->isEnabled()) names << increaseAction() << decreaseAction();
    return names + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& name) override {
    if (!widget()->isEnabled()) return;
    if (name == increaseAction() || name == decreaseAction()) {
      Step(name == increaseAction());
    } else {
      QAccessibleWidget::doAction(name);
    }
  }
  QStringList keyBindingsForAction(const QString& name) const override {
    if (name == increaseAction()) return {QStringLiteral("Down")};
    if (name == decreaseAction()) return {QStringLiteral("Up")};
    return QAccessibleWidget::keyBindingsForAction(name);
  }

 private:
  UpDownArrows* Arrows() const { return static_cast<UpDownArrows*>(widget()); }
  void Step(bool towardsLast) const {
    if (towardsLast) {
      emit Arrows()->Down();
    } else {
      emit Arrows()->Up();
    }
  }
};

QAccessibleInterface* MakeArrowsAccessible(const QString& className, QObject* object) {
  if (className == QLatin1String("UpDownArrows") && object && object->isWidgetType())
    return new ArrowsAccessible(static_cast<UpDownArrows*>(object));
  return nullptr;
}
}  // namespace

UpDownArrows::UpDownArrows(QWidget* parent) : QWidget(parent) {
  static const bool accessible = (QAccessible::installFactory(MakeArrowsAccessible), true);
  (void)accessible;
  setFocusPolicy(Qt::StrongFocus);
}

void UpDownArrows::SetPosition(int position, int first, int last) {
  if (position == position_ && first == first_ && last == last_) return;
  const bool moved = position != position_;
  position_ = position;
  first_ = first;
  last_ = last;
  if (moved && QAccessible::isActive()) {
    QAccessibleValueChangeEvent event(this, position);
    QAccessible::updateAccessibility(&event);
  }
}

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
