#include "tools/chord_detection.h"

#include "platform/core/strings.h"
#include "tools/chord_name_index.h"
#include "tools/chord_names.h"

namespace {

using chordindex::Symbols;

// Whether "," + w + "," occurs, exactly, in the upper-case list with a comma put in front: w is
// one name, or several names that are neighbours in the list, joined by commas.
bool IsListedName(const QString& w) {
  if (!w.contains(u',')) return chordindex::NameIndexOfUpper(w) >= 0;
  int previous = -1;
  for (const QString& piece : w.split(u',')) {
    const int i = chordindex::NameIndexOfUpper(piece);
    if (i < 0 || (previous >= 0 && i != previous + 1)) return false;
    previous = i;
  }
  return true;
}

// Whether replacing every name by "*", longest first, leaves two to six stars and nothing else.
bool IsRunOfNames(const QString& w) {
  // Each star stands for at most nine characters, so a longer word can never pass.
  if (w.size() > qsizetype{6} * chordindex::kLongestName) return false;
  Symbols s = chordindex::ToSymbols(w);
  for (const auto sym : s) {
    if (!chordindex::IsNameSymbol(sym)) return false;
  }
  if (!chordindex::ReplaceNamesLongestFirst(s, chordindex::Replacement::Star, 6)) return false;
  if (s.size() < 2) return false;
  for (const auto sym : s) {
    if (sym != chordindex::kStar) return false;
  }
  return true;
}

// The word as typed, with one marker per name found in it (longest names first), each written as
// the list writes it.
QString SplitIntoMarkers(const QString& word) {
  const QStringList& names = ChordNamePieces(false);
  QString o = word;
  QStringList found;
  for (const int i : chordindex::NamesOccurringIn(word)) {
    if (InStr(o, names[i]) == 0) continue;
    o = ReplaceAll(o, names[i], "[%" + Str(static_cast<int>(found.size())) + "]");
    found << names[i];
  }
  for (int j = 0; j < found.size(); ++j) o = ReplaceAll(o, "[%" + Str(j) + "]", "[" + found[j] + "]");
  return o;
}

}  // namespace

QString DetectChordsInWord(const QString& word, const WordList& words) {
  const QString trimmed = Trim(word);
  if (trimmed.isEmpty()) return word;
  const QChar cr(13);
  QString w = Uppercase(word);
  if (w.startsWith(cr)) w.remove(0, 1);
  if (StrComp(trimmed, "a") == 0 || StrComp(trimmed, "am") == 0 || StrComp(trimmed, "be") == 0) w = Lowercase(w);
  if (IsListedName(w)) {
    if (word.startsWith(cr)) return QString(cr) + "[" + word.mid(1) + "]";
    return "[" + word + "]";
  }
  // A "*" already in the word is bold markup, never part of a run of names.
  if (w.contains(u'*')) return word;
  if (!IsRunOfNames(w)) return word;
  if (words.Contains(w)) return word;
  return SplitIntoMarkers(word);
}

QString AutoDetectChords(const QString& text, const WordList& words) {
  QString t = text;
  t.replace(QChar(10), QChar(13));
  QStringList pieces = Split(t, " ");
  for (QString& w : pieces) w = DetectChordsInWord(w, words);
  QString out = Join(pieces, " ");
  out = ReplaceAllB(out, "  ", " ");
  out = ReplaceAllB(out, "  ", " ");
  out = ReplaceAllB(out, "] ", "]");
  out = ReplaceAllB(out, "][", "] [");
  return out;
}
