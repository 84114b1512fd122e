#include "tools/chord_conversion.h"

#include "platform/strings.h"
#include "tools/chord_name_index.h"

namespace {

using chordindex::Symbols;

QString CollapseBlankLines(const QString& text) {
  const QString cr(QChar(13));
  QString t = ReplaceAllB(text, cr + cr + cr, cr);
  return ReplaceAllB(t, cr + cr, cr);
}

}  // namespace

bool IsChordLine(const QString& line) {
  if (line.isEmpty()) return false;
  Symbols s = chordindex::ToSymbols(Uppercase(line));
  // A character that no removal can take away keeps the line from being a chord line.
  for (const auto sym : s) {
    if (!chordindex::IsNameSymbol(sym) && sym != chordindex::kOpenBracket && sym != chordindex::kCloseBracket &&
        sym != chordindex::kSpace) {
      return false;
    }
  }
  chordindex::ReplaceNamesLongestFirst(s, chordindex::Replacement::Remove);
  // Then every "/", then every "[]" in one pass; only white space may be left.
  std::erase(s, chordindex::kSlash);
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == chordindex::kOpenBracket && i + 1 < s.size() && s[i + 1] == chordindex::kCloseBracket) {
      ++i;
    } else if (s[i] != chordindex::kSpace) {
      return false;
    }
  }
  return true;
}

QString ConvertChordsToInlineChords(const QString& text) {
  QString t = text;
  t.replace(QChar(10), QChar(13));
  QStringList lines = Split(CollapseBlankLines(t), QString(QChar(13)));
  for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
    const QString chords = lines[i];
    if (!IsChordLine(chords)) continue;
    QString& below = lines[i + 1];
    qsizetype inserted = 0;
    qsizetype c = 0;
    while (c < chords.size()) {
      // Every white-space character separates chords; a chord is never empty.
      if (chords[c].isSpace()) {
        ++c;
        continue;
      }
      qsizetype end = c;
      while (end < chords.size() && !chords[end].isSpace()) ++end;
      const QString token = chords.mid(c, end - c);
      const QString marker =
          token.startsWith(u'[') && token.endsWith(u']') ? token : QStringLiteral("[") + token + QStringLiteral("]");
      const qsizetype at = c + inserted;
      if (at >= below.size()) {
        below += marker;
      } else {
        below.insert(at, marker);
      }
      inserted += marker.size();
      c = end;
    }
    below = Trim(below);
    lines[i] = QString();
  }
  return CollapseBlankLines(Join(lines, QString(QChar(13))));
}
