#pragma once
// What a text field reads back as after a song document is written and opened again: a NUL is
// dropped, then the separator 0x0B becomes a blank and a surrogate without its partner a '?'
// (UTF-8 cannot carry it), and white space is trimmed from both ends.
#include <QString>

inline QString StoredField(QString s) {
  s.remove(QChar(u'\0'));
  QString out;
  for (qsizetype i = 0; i < s.size(); ++i) {
    const QChar c = s[i];
    if (c.isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
      out += c;
      out += s[++i];
    } else if (c.isSurrogate()) {
      out += QLatin1Char('?');
    } else {
      out += c == QChar(u'\x0B') ? QChar(u' ') : c;
    }
  }
  return out.trimmed();
}
