#include "platform/desktop/text_fit.h"

#include <QAbstractButton>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>

namespace {
constexpr int kSmallest = 6;

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
}  // namespace

bool TextFitsBox(const QWidget* w) {
  const QFontMetrics fm = w->fontMetrics();
  if (const auto* l = qobject_cast<const QLabel*>(w)) {
    const QRect room = l->contentsRect();
    const QString text = l->text();
    return fm.horizontalAdvance(text) <= room.width() && fm.height() <= room.height();
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
  if (TextFitsBox(w)) return;
  QFont f = w->font();
  int pixels = QFontInfo(f).pixelSize();
  while (pixels > kSmallest && !TextFitsBox(w)) {
    f.setPixelSize(--pixels);
    w->setFont(f);
  }
}
