#include "platform/desktop/text_fit.h"

#include <QAbstractButton>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>
#include <climits>
#include <map>
#include <tuple>
#include <vector>

namespace {
constexpr int kSmallest = 6;
constexpr int kLabelGap = 2;  // between a label's text and the control after it

// The space a button leaves its caption: its width less the style's margins and frame on both
// sides, its height less the frame; beside an icon, the icon and its gap too.
QSize ButtonTextRoom(const QAbstractButton* b) {
  const QStyle* style = b->style();
  const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b);
  const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b);
  int width = b->width() - 2 * (margin + frame);
  if (!b->icon().isNull()) width -= b->iconSize().width() + 4;
  return QSize(width, b->height() - 2 * frame);
}

// Where a label's text must end, in its parent's coordinates: a gap before the nearest control
// to its right that shares its line, or the end of its box when there is none.
int LabelRoomEnd(const QLabel* l) {
  const QRect box = l->geometry();
  int end = INT_MAX;
  if (const QWidget* parent = l->parentWidget())
    for (const QWidget* other : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (other == l || other->isWindow()) continue;
      const QRect r = other->geometry();
      if (r.left() > box.left() && r.top() <= box.bottom() && box.top() <= r.bottom())
        end = std::min(end, r.left() - kLabelGap);
    }
  return end == INT_MAX ? box.left() + box.width() : end;
}

// Where a label draws its text, in its parent's coordinates.
QRect LabelText(const QLabel* l) {
  const QFontMetrics fm = l->fontMetrics();
  const Qt::Alignment align = QStyle::visualAlignment(l->layoutDirection(), l->alignment());
  const QSize size(fm.horizontalAdvance(l->text()), fm.height());
  return QStyle::alignedRect(l->layoutDirection(), align, size, l->contentsRect()).translated(l->pos());
}

// A label whose text needs more than its box grows to the right, into the room it has.
void GrowLabel(QLabel* l) {
  const int margins = l->width() - l->contentsRect().width();
  const int needed = l->fontMetrics().horizontalAdvance(l->text()) + margins;
  const int room = LabelRoomEnd(l) - l->x();
  if (needed > l->width() && room > l->width()) l->resize(std::min(needed, room), l->height());
}

int PixelSize(const QWidget* w) { return QFontInfo(w->font()).pixelSize(); }
}  // namespace

bool TextFitsBox(const QWidget* w) {
  const QFontMetrics fm = w->fontMetrics();
  if (const auto* l = qobject_cast<const QLabel*>(w)) {
    const QRect room = l->contentsRect();
    const QRect text = LabelText(l);
    return text.width() <= room.width() && text.height() <= room.height() &&
           text.left() + text.width() <= LabelRoomEnd(l);
  }
  if (const auto* b = qobject_cast<const QAbstractButton*>(w)) {
    const QSize room = ButtonTextRoom(b);
    QString text = b->text();
    text.remove(QLatin1Char('&'));
    return fm.horizontalAdvance(text) <= room.width() && fm.height() <= room.height();
  }
  return true;
}

void FitTextToBox(QWidget* w) {
  if (auto* l = qobject_cast<QLabel*>(w)) GrowLabel(l);
  if (TextFitsBox(w)) return;
  QFont f = w->font();
  int pixels = QFontInfo(f).pixelSize();
  while (pixels > kSmallest && !TextFitsBox(w)) {
    f.setPixelSize(--pixels);
    w->setFont(f);
  }
}

void FitTextsIn(QWidget* top) {
  std::map<std::tuple<const QWidget*, int, int>, std::vector<QPushButton*>> columns;
  for (QWidget* w : top->findChildren<QWidget*>()) {
    if (qobject_cast<QLabel*>(w)) {
      FitTextToBox(w);
    } else if (auto* b = qobject_cast<QPushButton*>(w)) {
      FitTextToBox(b);
      columns[{b->parentWidget(), b->x(), b->width()}].push_back(b);
    }
  }
  for (const auto& [place, buttons] : columns) {
    const int smallest =
        PixelSize(*std::min_element(buttons.begin(), buttons.end(),
                                    [](const QWidget* a, const QWidget* b) { return PixelSize(a) < PixelSize(b); }));
    for (QPushButton* b : buttons) {
      if (PixelSize(b) == smallest) continue;
      QFont f = b->font();
      f.setPixelSize(smallest);
      b->setFont(f);
    }
  }
}
