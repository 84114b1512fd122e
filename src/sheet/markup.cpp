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
  // Read in one pass over the line. The words are the pieces between single blanks; a chord word
  // that holds no "]" takes the following pieces until one of them holds "]", so it ends at the
  // first blank after the first "]" from its start, or at the end of the line.
  QStringList out;
  const qsizetype n = line.size();
  if (n == 0) return out;
  const QChar blank(u' ');
  qsizetype from = 0;
  while (true) {
    qsizetype end = line.indexOf(blank, from);
    if (end < 0) end = n;
    if (QStringView(line).sliced(from, end - from).contains(QLatin1Char('['))) {
      const qsizetype close = line.indexOf(QLatin1Char(']'), from);
      end = close < 0 ? -1 : line.indexOf(blank, close);
      if (end < 0) end = n;
    }
    out.push_back(line.mid(from, end - from));
    if (end == n) break;
    from = end + 1;
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
