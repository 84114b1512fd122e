#include "sheet/markup.h"

#include <array>

#include "platform/core/strings.h"

namespace markup {

QStringList PageLines(const QString& pageText) {
  QStringList out;
  const qsizetype n = pageText.size();
  for (qsizetype from = 0; n > 0;) {
    const qsizetype end = LineEnd(pageText, from);
    out.push_back(pageText.mid(from, end - from));
    if (end == n) break;
    from = end + 1;
  }
  return out;
}

qsizetype LineEnd(QStringView pageText, qsizetype from) {
  const qsizetype n = pageText.size();
  const QChar* c = pageText.data();
  while (from < n && c[from] != QChar(13) && c[from] != QChar(10)) ++from;
  return from;
}

LineKind KindOf(QStringView line) {
  if (line.compare(kColumnMarker, Qt::CaseInsensitive) == 0) return LineKind::Column;
  if (line.compare(kTopColumnMarker, Qt::CaseInsensitive) == 0) return LineKind::TopColumn;
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
  qsizetype from = 0;
  while (true) {
    const qsizetype end = WordEnd(line, from);
    out.push_back(line.mid(from, end - from));
    if (end == n) break;
    from = end + 1;
  }
  return out;
}

qsizetype WordEnd(QStringView line, qsizetype from) {
  const qsizetype n = line.size();
  const QChar blank(u' ');
  qsizetype end = line.indexOf(blank, from);
  if (end < 0) end = n;
  if (line.sliced(from, end - from).contains(QLatin1Char('['))) {
    const qsizetype close = line.indexOf(QLatin1Char(']'), from);
    end = close < 0 ? -1 : line.indexOf(blank, close);
    if (end < 0) end = n;
  }
  return end;
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

namespace {

// Whether a text holds a bold or paragraph marker.
bool HoldsMarker(QStringView text) {
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (u == u'*' || u == u'<' || u == u'>') return true;
  }
  return false;
}

}  // namespace

LineState ReadWordsState(QStringView line, LineState s) {
  const qsizetype n = line.size();
  for (qsizetype from = 0; from < n;) {
    const qsizetype end = WordEnd(line, from);
    const QStringView word = line.sliced(from, end - from);
    if (word.contains(QLatin1Char('['))) {
      s.bold = false;
    } else if (HoldsMarker(word)) {
      const PlainWord p = ReadPlainWord(word.toString());
      if (p.boldBefore) s.bold = !s.bold;
      if (p.paragraphOn) s.paragraph = true;
      if (p.paragraphOff) s.paragraph = false;
      if (p.boldAfter) s.bold = !s.bold;
    }
    from = end + 1;
  }
  return s;
}

namespace {

// What a line holds that can change a state, from a table of the few characters that matter;
// most lines hold a chord group or nothing at all.
enum : unsigned char { kEnd = 1, kBrace = 2, kBracket = 4, kMarker = 8, kOther = 16 };
constexpr auto kCharacterKinds = [] {
  std::array<unsigned char, 128> t{};
  for (int u = 0; u < 0x20; ++u) t[u] = kOther;
  t[0x7F] = kOther;
  t['\r'] = t['\n'] = kEnd;
  t['{'] = kBrace;
  t['['] = kBracket;
  t['*'] = t['<'] = t['>'] = kMarker;
  return t;
}();

// The end of the line that starts at from (its line end, or n), with the kinds of what it holds
// in seen.
qsizetype ScanLine(const char16_t* c, qsizetype from, qsizetype n, unsigned char& seen) {
  seen = 0;
  for (qsizetype end = from; end < n; ++end) {
    const char16_t u = c[end];
    const unsigned char kind = u < 128 ? kCharacterKinds[u] : static_cast<unsigned char>(kOther);
    if (kind & kEnd) return end;
    seen |= kind;
  }
  return n;
}

bool IsColumnLine(QStringView line) {
  if (line.size() != kColumnMarker.size()) return false;
  const LineKind kind = KindOf(line);
  return kind == LineKind::Column || kind == LineKind::TopColumn;
}

}  // namespace

qsizetype ReadStatesToColumn(QStringView pageText, qsizetype from, LineState& state,
                             const std::function<bool(QStringView line)>& stopAt) {
  // One pass over the characters, noting per line what can change a state.
  const qsizetype n = pageText.size();
  const char16_t* c = pageText.utf16();
  while (from < n) {
    unsigned char seen = 0;
    const qsizetype end = ScanLine(c, from, n, seen);
    const QStringView line = pageText.sliced(from, end - from);
    if (IsColumnLine(line)) return from;
    if ((seen & kOther) && stopAt && stopAt(line)) return from;
    // A caption is drawn bold and then switches bold off; so does a chord.
    if ((seen & kMarker) && !(seen & kBrace))
      state = ReadWordsState(line, state);
    else if (seen & (kBrace | kBracket))
      state.bold = false;
    if (end == n) return n;
    from = end + 1;
  }
  return n;
}

}  // namespace markup
