#include "tools/transpose.h"

#include <QHash>
#include <array>

#include "platform/core/outside_text.h"
#include "platform/core/strings.h"

namespace {

constexpr int kColumns = 12;

QStringList RowNames(int row) { return KeyTable().at(row).split(QLatin1Char(',')); }

QString RootOf(const QString& name) { return name.endsWith(QLatin1Char('m')) ? name.left(name.size() - 1) : name; }

// The note name at the start of s: a letter A to G in either case, then at most one "#" or "b".
// Gives its length (0 when s does not start with one) and its pitch class (C = 0) in *pitch.
qsizetype NoteNameAt(const QString& s, int* pitch) {
  static const int letters[] = {9, 11, 0, 2, 4, 5, 7};  // A to G
  if (s.isEmpty()) return 0;
  const char16_t c = s.at(0).unicode();
  int p;
  if (c >= u'A' && c <= u'G') {
    p = letters[c - u'A'];
  } else if (c >= u'a' && c <= u'g') {
    p = letters[c - u'a'];
  } else {
    return 0;
  }
  qsizetype n = 1;
  if (s.size() > 1 && s.at(1) == QLatin1Char('#')) {
    p += 1;
    n = 2;
  } else if (s.size() > 1 && s.at(1) == QLatin1Char('b')) {
    p += 11;
    n = 2;
  }
  *pitch = p % 12;
  return n;
}

int KeyPitch(const QString& rowName) {
  int p = 0;
  NoteNameAt(rowName, &p);
  return p;
}

// How a key writes each of the twelve pitches as a bass note: as its scale does (the first seven
// columns of its row, a minor "m" dropped), else as a plain letter, else with the key's own kind
// of accidental (flats for the flat-named keys and F, sharps for the others).
std::array<QString, 12> BassSpelling(const QStringList& row) {
  static const char* const sharps[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
  static const char* const flats[] = {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};
  const bool flat = row[0].contains(QLatin1Char('b')) || row[0] == QLatin1String("F");
  std::array<QString, 12> out;
  for (int p = 0; p < 12; ++p) out[p] = QLatin1String(flat ? flats[p] : sharps[p]);
  for (int c = 0; c < 7; ++c) out[KeyPitch(row[c])] = RootOf(row[c]);
  return out;
}

// Case-blind look-up from a chord name to the first column of a row that it belongs to.
class ColumnIndex {
 public:
  ColumnIndex(int fromRow, int toRow)
      : from_(RowNames(fromRow)),
        to_(RowNames(toRow)),
        shift_((KeyPitch(to_[0]) - KeyPitch(from_[0]) + 12) % 12),
        bassNames_(BassSpelling(to_)) {
    // Only the first column a name reaches is kept, so earlier columns win.
    for (int c = 0; c < kColumns; ++c) {
      for (const QString& suffix : KeySuffixes()) {
        const QString key = (from_[c] + suffix).toCaseFolded();
        if (!chords_.contains(key)) chords_.insert(key, c);
      }
    }
  }

  QString Chord(const QString& name, bool* changed) const {
    const auto it = chords_.constFind(name.toCaseFolded());
    if (changed) *changed = it != chords_.constEnd();
    if (it == chords_.constEnd()) return name;
    return to_[it.value()] + name.mid(from_[it.value()].size());
  }

  // The note name that starts the bass moves by the keys' interval and is written as the
  // to-key writes it; whatever follows the note name stays.
  QString Bass(const QString& bass) const {
    int pitch = 0;
    const qsizetype n = NoteNameAt(bass, &pitch);
    if (n == 0) return bass;
    return bassNames_[(pitch + shift_) % 12] + bass.mid(n);
  }

 private:
  QStringList from_, to_;
  int shift_;
  std::array<QString, 12> bassNames_;
  QHash<QString, int> chords_;
};

QString TransposeMarker(const QString& m, const ColumnIndex& index) {
  qsizetype end = m.size();
  for (QChar stop : {QLatin1Char('/'), QLatin1Char('\\'), QLatin1Char('!')}) {
    const qsizetype at = m.indexOf(stop);
    if (at >= 0 && at < end) end = at;
  }
  bool changed = false;
  QString out = index.Chord(m.left(end), &changed);
  if (!changed || end == m.size() || m.at(end) == QLatin1Char('!')) return out + m.mid(end);
  // The bass follows its separator; fret values after it stay with it.
  return out + m.at(end) + index.Bass(m.mid(end + 1));
}

}  // namespace

const QStringList& KeyTable() {
  static const QStringList rows = {
      QStringLiteral("C,Dm,Em,F,G,Am,B,C,D,Eb,Ab,Bb"),      QStringLiteral("Db,Ebm,Fm,Gb,Ab,Bbm,C,Db,Eb,E,A,B"),
      QStringLiteral("C#,D#m,Fm,F#,G#,A#m,C,C#,D#,E,A,B"),  QStringLiteral("D,Em,F#m,G,A,Bm,C#,D,E,F,Bb,C"),
      QStringLiteral("Eb,Fm,Gm,Ab,Bb,Cm,D,Eb,F,Gb,B,Db"),   QStringLiteral("D#,Fm,Gm,G#,A#,Cm,D,D#,F,F#,B,C#"),
      QStringLiteral("E,F#m,G#m,A,B,C#m,D#,E,F#,G,C,D"),    QStringLiteral("F,Gm,Am,Bb,C,Dm,E,F,G,Ab,Db,Eb"),
      QStringLiteral("Gb,Abm,Bbm,Cb,Db,Ebm,F,Gb,Ab,A,D,E"), QStringLiteral("F#,G#m,A#m,B,C#,D#m,F,F#,G#,A,D,E"),
      QStringLiteral("G,Am,Bm,C,D,Em,F#,G,A,Bb,Eb,F"),      QStringLiteral("Ab,Bbm,Cm,Db,Eb,Fm,G,Ab,Bb,B,E,Gb"),
      QStringLiteral("G#,A#m,Cm,C#,D#,Fm,G,G#,A#,B,E,F#"),  QStringLiteral("A,Bm,C#m,D,E,F#m,G#,A,B,C,F,G"),
      QStringLiteral("Bb,Cm,Dm,Eb,F,Gm,A,Bb,C,Db,Gb,Ab"),   QStringLiteral("A#,Cm,Dm,D#,F,Gm,A,A#,C,C#,F#,G#"),
      QStringLiteral("B,C#m,D#m,E,F#,G#m,A#,B,C#,D,G,A"),
  };
  return rows;
}

const QStringList& KeySuffixes() {
  static const QStringList suffixes = {
      QString(),           QStringLiteral("2"), QStringLiteral("SUS"), QStringLiteral("7"),   QStringLiteral("9"),
      QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("(2)"), QStringLiteral("(4)"),
  };
  return suffixes;
}

int FindKeyRow(const QString& key) {
  const QStringList& rows = KeyTable();
  for (int r = 0; r < rows.size(); ++r) {
    if (EqualsCI(RowNames(r).first(), key)) return r;
  }
  return -1;
}

QString TransposeChordName(const QString& name, int fromRow, int toRow, bool* changed) {
  return ColumnIndex(fromRow, toRow).Chord(name, changed);
}

QString TransposeBass(const QString& bass, int fromRow, int toRow) { return ColumnIndex(fromRow, toRow).Bass(bass); }

TransposeResult TransposeSong(const QString& text, const QString& fromKey, const QString& toKey) {
  const int fromRow = FindKeyRow(fromKey);
  const int toRow = FindKeyRow(toKey);
  TransposeResult r;
  if (fromRow < 0) {
    r.message = QStringLiteral("Unable to find ") + ShownText(fromKey);
    return r;
  }
  if (toRow < 0) {
    r.message = QStringLiteral("Unable to find ") + ShownText(toKey);
    return r;
  }
  const ColumnIndex index(fromRow, toRow);
  QStringList pieces = Split(text, QStringLiteral("["));
  for (QString& piece : pieces) {
    const qsizetype close = piece.indexOf(QLatin1Char(']'));
    if (close < 0) continue;
    piece = TransposeMarker(piece.left(close), index) + piece.mid(close);
  }
  r.ok = true;
  r.text = Join(pieces, QStringLiteral("["));
  return r;
}
