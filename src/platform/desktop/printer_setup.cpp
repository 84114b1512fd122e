#include "platform/desktop/printer_setup.h"

#include <QRectF>
#include <QSizeF>
#include <QStringList>
#include <cmath>

namespace {
constexpr double kQuarterInch = 18.0;

QPageSize pageSizeFor(const QString& key, double width, double height) {
  for (int i = 0; i <= int(QPageSize::LastPageSize); ++i) {
    const auto id = QPageSize::PageSizeId(i);
    if (id != QPageSize::Custom && QPageSize::key(id) == key) return QPageSize(id);
  }
  return QPageSize(QSizeF(width, height), QPageSize::Point, key, QPageSize::ExactMatch);
}

QString number(double v) { return QString::number(v, 'g', 10); }
}  // namespace

PrinterSetup::PrinterSetup() : layout_(DefaultPageLayout()) {}

QPageLayout PrinterSetup::DefaultPageLayout() {
  return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                     QMarginsF(kQuarterInch, kQuarterInch, kQuarterInch, kQuarterInch), QPageLayout::Point);
}

void PrinterSetup::SetPageLayout(const QPageLayout& layout) {
  if (!layout.isValid()) return;
  layout_ = layout;
  layout_.setUnits(QPageLayout::Point);
}

QString PrinterSetup::SetupString() const {
  const QSizeF size = layout_.pageSize().size(QPageSize::Point);
  const QMarginsF m = layout_.margins(QPageLayout::Point);
  return QStringLiteral("paper=%1;width=%2;height=%3;orientation=%4;margins=%5,%6,%7,%8")
      .arg(layout_.pageSize().key(), number(size.width()), number(size.height()),
           layout_.orientation() == QPageLayout::Landscape ? QStringLiteral("landscape") : QStringLiteral("portrait"),
           number(m.left()), number(m.top()), number(m.right()), number(m.bottom()));
}

bool PrinterSetup::SetSetupString(const QString& setup) {
  QString key;
  double width = 0, height = 0;
  QPageLayout::Orientation orientation = QPageLayout::Portrait;
  QMarginsF margins;
  bool haveMargins = false;
  for (const QString& field : setup.split(u';', Qt::SkipEmptyParts)) {
    const qsizetype eq = field.indexOf(u'=');
    if (eq < 0) return false;
    const QString name = field.left(eq).trimmed();
    const QString value = field.mid(eq + 1).trimmed();
    bool ok = true;
    if (name == u"paper") {
      key = value;
    } else if (name == u"width") {
      width = value.toDouble(&ok);
    } else if (name == u"height") {
      height = value.toDouble(&ok);
    } else if (name == u"orientation") {
      if (value == u"landscape")
        orientation = QPageLayout::Landscape;
      else if (value != u"portrait")
        return false;
    } else if (name == u"margins") {
      const QStringList parts = value.split(u',');
      if (parts.size() != 4) return false;
      double v[4];
      for (int i = 0; i < 4 && ok; ++i) {
        v[i] = parts[i].toDouble(&ok);
        if (ok && (v[i] < 0 || !std::isfinite(v[i]))) ok = false;
      }
      margins = QMarginsF(v[0], v[1], v[2], v[3]);
      haveMargins = true;
    }
    if (!ok) return false;
  }
  if (!(width > 0) || !(height > 0) || !std::isfinite(width) || !std::isfinite(height) || !haveMargins) return false;
  QPageLayout layout(pageSizeFor(key, width, height), orientation, QMarginsF(), QPageLayout::Point);
  layout.setMode(QPageLayout::StandardMode);
  // Margins that leave no printable area are refused rather than clamped into something else.
  const QSizeF full = layout.fullRect(QPageLayout::Point).size();
  if (margins.left() + margins.right() >= full.width() || margins.top() + margins.bottom() >= full.height())
    return false;
  layout.setMinimumMargins(QMarginsF());
  if (!layout.setMargins(margins)) return false;
  layout_ = layout;
  return true;
}

int PrinterSetup::PageWidth() const { return int(std::lround(layout_.paintRect(QPageLayout::Point).width())); }

int PrinterSetup::PageHeight() const { return int(std::lround(layout_.paintRect(QPageLayout::Point).height())); }
