#pragma once
// What makes a text's drawn size more than the sum of its characters' own.
#include <QChar>
#include <QStringView>

// Whether text holds a combining mark or a format character (a joiner, a direction mark, a soft
// hyphen): such characters are shaped together with what stands beside them, and marks stacked
// on one letter rise as high as there are marks.
inline bool HoldsMarksOrFormat(QStringView text) {
  for (const QChar c : text) {
    // Below U+0300 the soft hyphen is the only mark or format character.
    if (c.unicode() < 0x300 && c.unicode() != 0xAD) continue;
    switch (c.category()) {
      case QChar::Mark_NonSpacing:
      case QChar::Mark_SpacingCombining:
      case QChar::Mark_Enclosing:
      case QChar::Other_Format:
        return true;
      default:
        break;
    }
  }
  return false;
}
