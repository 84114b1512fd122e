#include "platform/desktop/printer_setup.h"

#include <QRectF>
#include <QSizeF>
#include <QStringList>
#include <cmath>
#include <optional>

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

// What a setup string says, field by field.
struct SetupFields {
  QString key;
  double width = 0;
  double height = 0;
  QPageLayout::Orientation orientation = QPageLayout::Portrait;
  std::optional<QMarginsF> margins;
};

bool IsSize(double v) { return v > 0 && std::isfinite(v); }

// "left,top,right,bottom": four numbers, none negative.
std::optional<QMarginsF> ReadMargins(const QString& value) {
  const QStringList parts = value.split(u',');
  if (parts.size() != 4) return std::nullopt;
  double v[4];
  for (int i = 0; i < 4; ++i) {
    bool ok = false;
    v[i] = parts[i].toDouble(&ok);
    if (!ok || v[i] < 0 || !std::isfinite(v[i])) return std::nullopt;
  }
  return QMarginsF(v[0], v[1], v[2], v[3]);
}

// Takes one "name=value" field into fields; false when it cannot be read. Unknown names are
// passed over.
bool ReadField(const QString& field, SetupFields& fields) {
  const qsizetype eq = field.indexOf(u'=');
  if (eq < 0) return false;
  const QString name = field.left(eq).trimmed();
  const QString value = field.mid(eq + 1).trimmed();
  bool ok = true;
  if (name == u"paper") {
    fields.key = value;
  } else if (name == u"width") {
    fields.width = value.toDouble(&ok);
  } else if (name == u"height") {
    fields.height = value.toDouble(&ok);
  } else if (name == u"orientation") {
    ok = value == u"landscape" || value == u"portrait";
    if (value == u"landscape") fields.orientation = QPageLayout::Landscape;
  } else if (name == u"margins") {
    fields.margins = ReadMargins(value);
    ok = fields.margins.has_value();
  }
  return ok;
}

// The page layout the fields describe, or nothing when they leave out the size or the margins, or
// the margins leave no printable area (they are refused rather than clamped into something else).
std::optional<QPageLayout> LayoutOf(const SetupFields& fields) {
  if (!IsSize(fields.width) || !IsSize(fields.height) || !fields.margins) return std::nullopt;
  QPageLayout layout(pageSizeFor(fields.key, fields.width, fields.height), fields.orientation, QMarginsF(),
                     QPageLayout::Point);
  layout.setMode(QPageLayout::StandardMode);
  const QMarginsF& margins = *fields.margins;
  const QSizeF full = layout.fullRect(QPageLayout::Point).size();
  if (margins.left() + margins.right() >= full.width() || margins.top() + margins.bottom() >= full.height())
    return std::nullopt;
  layout.setMinimumMargins(QMarginsF());
  if (!layout.setMargins(margins)) return std::nullopt;
  return layout;
}
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
  SetupFields fields;
  for (const QString& field : setup.split(u';', Qt::SkipEmptyParts))
    if (!ReadField(field, fields)) return false;
  const std::optional<QPageLayout> layout = LayoutOf(fields);
  if (!layout) return false;
  layout_ = *layout;
  return true;
}

int PrinterSetup::PageWidth() const { return int(std::lround(layout_.paintRect(QPageLayout::Point).width())); }

int PrinterSetup::PageHeight() const { return int(std::lround(layout_.paintRect(QPageLayout::Point).height())); }
