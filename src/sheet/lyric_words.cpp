#include "sheet/lyric_words.h"

namespace lyrics {
namespace {

bool IsAsciiLetter(char32_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

bool IsLetterOrMark(char32_t c) {
  if (c < 128) return IsAsciiLetter(c);  // the common case, without the table look-up
  return QChar::isLetter(c) || QChar::isMark(c);
}

// The character at i of text and how many code units it takes (a lone surrogate is one character
// of its own, never a letter).
char32_t CodePointAt(QStringView text, qsizetype i, qsizetype* units) {
  const QChar c = text.at(i);
  if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
    *units = 2;
    return QChar::surrogateToUcs4(c, text.at(i + 1));
  }
  *units = 1;
  return c.unicode();
}

}  // namespace

bool IsWordCharacter(char32_t c) { return IsLetterOrMark(c) || (c >= u'0' && c <= u'9'); }

bool IsApostrophe(char32_t c) { return c == u'\'' || c == 0x2019; }

bool IsWordBoundary(QChar c) {
  if (c.isSurrogate() || c == u'[' || c == u']') return false;
  return !IsWordCharacter(c.unicode()) && !IsApostrophe(c.unicode());
}

bool HasDigit(QStringView word) {
  for (QChar c : word)
    if (c >= u'0' && c <= u'9') return true;
  return false;
}

void ForEachWord(QStringView line, const FoundWord& found) {
  // The lyric without its chords; at[i] is where its i-th character stands in the line.
  QString lyric;
  QList<int> at;
  lyric.reserve(line.size());
  for (qsizetype i = 0; i < line.size(); ++i) {
    if (line.at(i) == u'[') {
      const qsizetype close = line.indexOf(u']', i + 1);
      if (close < 0) break;
      i = close;
      continue;
    }
    lyric += line.at(i);
    at.append(static_cast<int>(i));
  }
  const qsizetype n = lyric.size();
  qsizetype i = 0;
  while (i < n) {
    qsizetype units = 1;
    if (!IsWordCharacter(CodePointAt(lyric, i, &units))) {
      i += units;
      continue;
    }
    const qsizetype first = i;
    while (i < n && IsWordCharacter(CodePointAt(lyric, i, &units))) i += units;
    // Each apostrophe that a letter follows joins the next run of letters and marks.
    while (i + 1 < n && IsApostrophe(lyric.at(i).unicode()) && IsLetterOrMark(CodePointAt(lyric, i + 1, &units))) {
      ++i;
      while (i < n && IsLetterOrMark(CodePointAt(lyric, i, &units))) i += units;
    }
    const int start = at[first];
    found(lyric.mid(first, i - first), start, at[i - 1] - start + 1);
  }
}

QList<Word> LineWords(QStringView line) {
  QList<Word> words;
  ForEachWord(line, [&](const QString& word, int start, int length) { words.append({word, start, length}); });
  return words;
}

}  // namespace lyrics
