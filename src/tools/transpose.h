#pragma once
// Moving the chords of a song from one major key to another through the key table.
#include <QString>
#include <QStringList>

// The seventeen rows of the key table, in order; each row is its twelve chord names joined by
// "," (column 0 is the key's own name, column 7 repeats it).
const QStringList& KeyTable();

// The endings a chord name may carry after a column's name and still belong to that column,
// compared with letter case ignored.
const QStringList& KeySuffixes();

// Index into KeyTable() of the first row whose key name equals key (letter case ignored,
// no trimming), or -1.
int FindKeyRow(const QString& key);

// The chord name (no bass, no fret values) moved from one row to the other: when it is a
// column's name of the from-row followed by an accepted suffix (first column that fits), that
// name becomes the to-row's name of the same column and the suffix stays as written;
// otherwise the name comes back unchanged. changed, when given, tells which happened.
QString TransposeChordName(const QString& name, int fromRow, int toRow, bool* changed = nullptr);

// A bass moved from one row's key to the other's: when it starts with a note name (a letter A to
// G in either case, then at most one "#" or "b"), that note moves by the interval between the two
// keys and is written as the to-key writes it (its scale's name for the pitch, else a plain
// letter, else a flat in the flat-named keys and F, a sharp in the others); whatever follows the
// note name stays. A bass that does not start with a note name comes back unchanged.
QString TransposeBass(const QString& bass, int fromRow, int toRow);

struct TransposeResult {
  bool ok = false;  // false: a key has no row; nothing was rewritten
  QString text;     // the rewritten song text when ok
  QString message;  // "Unable to find " + the key as ShownText shows it (the from-key first) when not ok
};

// Rewrites every chord marker of the song text from fromKey to toKey (both compared as passed).
// In each marker the chord name ends at the first "/", "\" or "!"; a transposed chord also has
// its bass (the text after that "/" or "\") moved as TransposeBass moves it; separators and fret
// values stay as written, and all text outside the markers is kept.
TransposeResult TransposeSong(const QString& text, const QString& fromKey, const QString& toKey);
