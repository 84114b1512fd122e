#include "platform/desktop/font.h"

QString SheetFontFamily() { return QStringLiteral("DejaVu Sans"); }

QFont SheetFont(double size, bool bold) {
  QFont f(SheetFontFamily());
  f.setHintingPreference(QFont::PreferNoHinting);
  f.setStyleStrategy(QFont::PreferOutline);
  f.setKerning(true);
  if (size > 0) f.setPointSizeF(size);
  f.setBold(bold);
  return f;
}
