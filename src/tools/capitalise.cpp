#include "tools/capitalise.h"

#include <QStringList>

#include "platform/core/strings.h"

namespace {

QString CapFirst(const QString& s) { return Uppercase(Left(s, 1)) + Right(s, Len(s) - 1); }

bool IsNoteLetter(QChar c) {
  const char16_t u = c.unicode();
  return (u >= u'A' && u <= u'G') || (u >= u'a' && u <= u'g');
}

// The bass upper-cased, except that a "b" right after its note letter is the flat sign and is
// written "b" ("eb" and "EB" both give "Eb").
QString CapBass(const QString& bass) {
  QString out = Uppercase(bass);
  if (bass.size() > 1 && IsNoteLetter(bass.at(0)) && (bass.at(1) == QLatin1Char('b') || bass.at(1) == QLatin1Char('B')))
    out[1] = QLatin1Char('b');
  return out;
}

QString CapChordText(QString c) {
  c = CapFirst(c);
  QString sep;
  if (InStrB(c, QStringLiteral("/")) > 0) sep = QStringLiteral("/");
  if (InStrB(c, QStringLiteral("\\")) > 0) sep = QStringLiteral("\\");
  if (sep.isEmpty()) return c;
  QStringList parts = Split(c, sep);
  parts[1] = CapBass(parts[1]);
  return Join(parts, sep);
}

}  // namespace

QString ConvertChordsToCaps(const QString& text) {
  QStringList pieces = Split(text, QStringLiteral("["));
  for (QString& piece : pieces) {
    const qsizetype close = piece.indexOf(QLatin1Char(']'));
    if (close < 0) continue;
    piece = CapChordText(piece.left(close)) + piece.mid(close);
  }
  return Join(pieces, QStringLiteral("["));
}

QString CapFirstLetterOfLine(const QString& text) {
  QStringList lines = Split(text, QStringLiteral("\r"));
  for (QString& line : lines) line = CapFirst(line);
  return Join(lines, QStringLiteral("\r"));
}
