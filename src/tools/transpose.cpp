#include "tools/transpose.h"

#include <QHash>

#include "platform/strings.h"

namespace {

constexpr int kColumns = 12;

QStringList RowNames(int row) { return KeyTable().at(row).split(QLatin1Char(',')); }

QString RootOf(const QString& name) {
  return name.endsWith(QLatin1Char('m')) ? name.left(name.size() - 1) : name;
}

// Case-blind look-up from a chord name to the first column of a row that it belongs to.
class ColumnIndex {
 public:
  ColumnIndex(int fromRow, int toRow) : from_(RowNames(fromRow)), to_(RowNames(toRow)) {
    // Only the first column a name reaches is kept, so earlier columns win.
    auto addFirst = [](QHash<QString, int>& h, const QString& key, int column) {
      if (!h.contains(key)) h.insert(key, column);
    };
    for (int c = 0; c < kColumns; ++c) {
      for (const QString& suffix : KeySuffixes()) addFirst(chords_, (from_[c] + suffix).toCaseFolded(), c);
      addFirst(roots_, RootOf(from_[c]).toCaseFolded(), c);
    }
  }

  QString Chord(const QString& name, bool* changed) const {
    const auto it = chords_.constFind(name.toCaseFolded());
    if (changed) *changed = it != chords_.constEnd();
    if (it == chords_.constEnd()) return name;
    return to_[it.value()] + name.mid(from_[it.value()].size());
  }

  QString Bass(const QString& bass) const {
    const auto it = roots_.constFind(bass.toCaseFolded());
    return it == roots_.constEnd() ? bass : RootOf(to_[it.value()]);
  }

 private:
  QStringList from_, to_;
  QHash<QString, int> chords_, roots_;
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
  // A bass follows its separator, up to the fret values.
  out += m.at(end);
  const qsizetype bassStart = end + 1;
  qsizetype frets = m.indexOf(QLatin1Char('!'), bassStart);
  if (frets < 0) frets = m.size();
  out += index.Bass(m.mid(bassStart, frets - bassStart));
  return out + m.mid(frets);
}

}  // namespace

const QStringList& KeyTable() {
  static const QStringList rows = {
      QStringLiteral("C,Dm,Em,F,G,Am,B,C,D,Eb,Ab,Bb"),
      QStringLiteral("Db,Ebm,Fm,Gb,Ab,Bbm,C,Db,Eb,E,A,B"),
      QStringLiteral("C#,D#m,Fm,F#,G#,A#m,C,C#,D#,E,A,B"),
      QStringLiteral("D,Em,F#m,G,A,Bm,C#,D,E,F,Bb,C"),
      QStringLiteral("Eb,Fm,Gm,Ab,Bb,Cm,D,Eb,F,Gb,B,Db"),
      QStringLiteral("D#,Fm,Gm,G#,A#,Cm,D,D#,F,F#,B,C#"),
      QStringLiteral("E,F#m,G#m,A,B,C#m,D#,E,F#,G,C,D"),
      QStringLiteral("F,Gm,Am,Bb,C,Dm,E,F,G,Ab,Db,Eb"),
      QStringLiteral("Gb,Abm,Bbm,Cb,Db,Ebm,F,Gb,Ab,A,D,E"),
      QStringLiteral("F#,G#m,A#m,B,C#,D#m,F,F#,G#,A,D,E"),
      QStringLiteral("G,Am,Bm,C,D,Em,F#,G,A,Bb,Eb,F"),
      QStringLiteral("Ab,Bbm,Cm,Db,Eb,Fm,G,Ab,Bb,B,E,Gb"),
      QStringLiteral("G#,A#m,Cm,C#,D#,Fm,G,G#,A#,B,E,F#"),
      QStringLiteral("A,Bm,C#m,D,E,F#m,G#,A,B,C,F,G"),
      QStringLiteral("Bb,Cm,Dm,Eb,F,Gm,A,Bb,C,Db,Gb,Ab"),
      QStringLiteral("A#,Cm,Dm,D#,F,Gm,A,A#,C,C#,F#,G#"),
      QStringLiteral("B,C#m,D#m,E,F#,G#m,A#,B,C#,D,G,A"),
  };
  return rows;
}

const QStringList& KeySuffixes() {
  static const QStringList suffixes = {
      QString(),           QStringLiteral("2"),   QStringLiteral("SUS"),
      QStringLiteral("7"), QStringLiteral("9"),   QStringLiteral("4"),
      QStringLiteral("5"), QStringLiteral("(2)"), QStringLiteral("(4)"),
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

QString TransposeBass(const QString& bass, int fromRow, int toRow) {
  return ColumnIndex(fromRow, toRow).Bass(bass);
}

TransposeResult TransposeSong(const QString& text, const QString& fromKey, const QString& toKey) {
  const int fromRow = FindKeyRow(fromKey);
  const int toRow = FindKeyRow(toKey);
  TransposeResult r;
  if (fromRow < 0) {
    r.message = QStringLiteral("Unable to find ") + fromKey;
    return r;
  }
  if (toRow < 0) {
    r.message = QStringLiteral("Unable to find ") + toKey;
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
