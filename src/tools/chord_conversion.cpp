#include "tools/chord_conversion.h"

#include <algorithm>

#include "platform/core/strings.h"
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
  const Symbols s = chordindex::ToSymbols(Uppercase(line));
  // A character that no removal can take away keeps the line from being a chord line.
  for (const auto sym : s) {
    if (!chordindex::IsNameSymbol(sym) && sym != chordindex::kOpenBracket && sym != chordindex::kCloseBracket &&
        sym != chordindex::kSpace) {
      return false;
    }
  }
  // Names are made of name symbols only, so no occurrence reaches over a blank or a bracket, and
  // removing one joins only what stood on either side of it within the same run of name symbols.
  // Each run therefore loses its names on its own, and passing every name over the whole line
  // comes to the same thing as passing over each run the few names that can occur in it.
  // Removing the names, then every "/", must leave each run empty; what stands between the runs
  // must then be white space and "[]" pairs, taken in one pass.
  Symbols run;
  Symbols between;
  size_t i = 0;
  while (i < s.size()) {
    if (!chordindex::IsNameSymbol(s[i])) {
      between.push_back(s[i++]);
      continue;
    }
    run.clear();
    while (i < s.size() && chordindex::IsNameSymbol(s[i])) run.push_back(s[i++]);
    chordindex::ReplaceNamesLongestFirst(run, chordindex::Replacement::Remove);
    if (std::any_of(run.begin(), run.end(), [](std::uint8_t sym) { return sym != chordindex::kSlash; })) return false;
  }
  for (size_t k = 0; k < between.size(); ++k) {
    if (between[k] == chordindex::kOpenBracket && k + 1 < between.size() &&
        between[k + 1] == chordindex::kCloseBracket) {
      ++k;
    } else if (between[k] != chordindex::kSpace) {
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
    // Each marker goes in front of the character of the line below that stood under the chord's
    // first character, or at the end when that line is shorter; the new line is built in one
    // pass, from the old one and the markers in order.
    const QString& below = lines[i + 1];
    QString merged;
    merged.reserve(below.size() + 3 * chords.size());
    qsizetype copied = 0;
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
      const qsizetype at = std::min(c, below.size());
      merged.append(QStringView(below).sliced(copied, at - copied));
      copied = at;
      merged.append(marker);
      c = end;
    }
    merged.append(QStringView(below).sliced(copied));
    lines[i + 1] = Trim(merged);
    lines[i] = QString();
  }
  return CollapseBlankLines(Join(lines, QString(QChar(13))));
}
