#pragma once
// The song document text: fifteen fields in a fixed order, each followed by the separator 0x0B,
// encoded as UTF-8. Writing trims the text fields; reading takes the fields as they stand.
#include <QByteArray>
#include <QString>

#include "sheet/layout_ranges.h"

struct SongDocument {
  QString title, capo, key;
  QString song;
  bool centerLine = true;
  int spacing = kSpacingRange.def;
  int wordSize = kWordSizeRange.def;
  int chordSize = kChordSizeRange.def;
  int chordOffset = kChordOffsetRange.def;
  int fretSize = kFretSizeRange.def;
  int fretOffset = kFretOffsetRange.def;
  int rowHeight = kRowHeightRange.def;
  QString timing, tempo;
  bool operator==(const SongDocument&) const = default;
};

inline const QString kSongDocumentVersion = QStringLiteral("1.0.0");
inline constexpr char16_t kFieldSeparator = 0x0B;

// "1.0.0", title, capo, key, song text (trimmed), "1"/"0", the seven layout values as decimal
// digits, timing, tempo: each followed by 0x0B. A NUL inside a text field is dropped (a document
// holding one would be refused when read), and a 0x0B becomes a blank, so that it cannot shift the
// fields after it; then the field is trimmed. Whatever is written reads back.
QString SongDocumentText(const SongDocument& doc);
// A text field as a save writes it: a NUL dropped, a 0x0B made a blank, then trimmed.
QString SavedField(const QString& field);
// Whether two values of a text field are written alike (SavedField(a) == SavedField(b)), found
// from where they differ, without building either: an edit of a long song costs a comparison.
bool SameWhenSaved(QStringView a, QStringView b);
// Whether a saves as it would after an edit putting added in place of its removed characters from
// offset from on: the same answer as SameWhenSaved on the whole texts, found where the edit lies.
bool SameWhenSavedAfterEdit(QStringView a, qsizetype from, qsizetype removed, QStringView added);
// The document as a save keeps it: each text field as it is written (NUL dropped, 0x0B made a
// blank, trimmed). Two documents write the same bytes exactly when these are equal.
SongDocument SavedFields(const SongDocument& doc);
// Whether two documents write the same bytes (their SavedFields are equal), found field by field
// without building either.
bool SameWhenSaved(const SongDocument& a, const SongDocument& b);
QByteArray BuildSongDocument(const SongDocument& doc);  // the same text as UTF-8

// What reading a document text gives. A text is read when it has 7 pieces (up to Spacing),
// 13 or 14 (up to Row Height) or 15 and more (every field; later pieces are ignored); any other
// text is refused before anything is taken from it.
struct SongDocumentRead {
  bool ok = false;
  QString refusal;         // why the text was refused (when !ok), a sentence for the user
  int pieces = 0;          // the pieces of the text between separators
  SongDocument values;     // the fields read; the fields a shorter text lacks keep their defaults
  bool hasLayout = false;  // Word Size to Row Height were read (13 pieces or more)
  bool hasTiming = false;  // timing and tempo were read (15 pieces or more)
};
// Text fields come back unchanged (no trimming); the centre line is on when the value of its
// field is 1; a layout value is the number at the start of its field cut toward zero (0 when
// there is none) and then kept within its range. A text handed over (moved in) becomes the song
// field in place: reading a long song copies none of it.
SongDocumentRead ParseSongDocument(QString text);
SongDocumentRead ParseSongDocument(const QByteArray& utf8);
// The document a read text gives over the one it replaces: what a shorter text lacks (the layout
// values after Spacing, or timing and tempo) is taken from under; the song text is moved out of
// the read.
SongDocument ReadOver(SongDocumentRead read, const SongDocument& under);
