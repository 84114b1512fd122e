#include "sheet/markup.h"

#include "platform/strings.h"

namespace markup {

QStringList PageLines(const QString& pageText) {
  QString text = pageText;
  text.replace(QChar(10), QChar(13));
  return Split(text, QString(QChar(13)));
}

LineKind KindOf(const QString& line) {
  if (EqualsCI(line, kColumnMarker)) return LineKind::Column;
  if (EqualsCI(line, kTopColumnMarker)) return LineKind::TopColumn;
  if (line.contains(QLatin1Char('{'))) return LineKind::Caption;
  return LineKind::Words;
}

QString CaptionText(const QString& line) {
  return Replace(Replace(line, QStringLiteral("{"), QString()), QStringLiteral("}"), QString());
}

bool IsChordWord(const QString& word) { return word.contains(QLatin1Char('[')); }

QStringList LineWords(const QString& line) {
  const QStringList words = Split(line, QStringLiteral(" "));
  QStringList out;
  out.reserve(words.size());
  for (qsizetype i = 0; i < words.size(); ++i) {
    QString w = words[i];
    if (IsChordWord(w)) {
      while (!w.contains(QLatin1Char(']')) && i + 1 < words.size()) {
        ++i;
        w += QLatin1Char(' ');
        w += words[i];
      }
    }
    out.push_back(std::move(w));
  }
  return out;
}

ChordGroup ReadChordGroup(const QString& group) {
  const QString name = Replace(Replace(group, QStringLiteral("["), QString()), QStringLiteral("]"), QString());
  ChordGroup g;
  if (!name.contains(QLatin1Char('!'))) {
    g.name = name;
    return g;
  }
  QStringList parts = Split(name, QStringLiteral("!"));
  g.name = parts.takeFirst();
  g.frets = std::move(parts);
  return g;
}

std::vector<ChordPiece> CutChordWord(const QString& word) {
  std::vector<ChordPiece> out;
  qsizetype from = 0;
  const qsizetype n = word.size();
  while (from < n) {
    const qsizetype open = word.indexOf(QLatin1Char('['), from);
    const qsizetype runEnd = open < 0 ? n : open;
    if (runEnd > from) out.push_back({false, word.mid(from, runEnd - from), {}});
    if (open < 0) break;
    const qsizetype close = word.indexOf(QLatin1Char(']'), open + 1);
    const qsizetype groupEnd = close < 0 ? n : close + 1;
    out.push_back({true, QString(), ReadChordGroup(word.mid(open, groupEnd - open))});
    from = groupEnd;
  }
  return out;
}

PlainWord ReadPlainWord(const QString& word) {
  PlainWord p;
  QString w = word;
  const QString star = QStringLiteral("*");
  if (w.contains(QLatin1Char('*'))) {
    p.boldBefore = true;
    w = Replace(w, star, QString());
    if (Len(Trim(w)) > 1 && w.endsWith(QLatin1Char('*'))) {
      w = Replace(w, star, QString());
      p.boldAfter = true;
    }
  }
  if (w.startsWith(QLatin1Char('<'))) {
    p.paragraphOn = true;
    w.remove(0, 1);
  }
  if (w.endsWith(QLatin1Char('>'))) {
    p.paragraphOff = true;
    w.chop(1);
  }
  p.text = std::move(w);
  return p;
}

}  // namespace markup
