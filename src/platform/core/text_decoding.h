#pragma once
// Turning a file's bytes into text without ever reinterpreting valid text.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// What the bytes are read as: a song document is UTF-8 only (a UTF-8 byte-order mark dropped); a
// text import may also be UTF-16 or UTF-32 with a byte-order mark.
enum class TextKind { SongDocument, TextImport };

// The text of bytes: UTF-8 where it is valid, and each byte that is not part of a valid UTF-8
// sequence taken as its Windows-1252 character. nullopt when the bytes are not text of that kind:
// the decoded text holds a NUL, or a song document starts with a UTF-16 or UTF-32 byte-order mark.
std::optional<QString> DecodeText(const QByteArray& bytes, TextKind kind);

// DecodeText piece by piece, for a file read in pieces: the text of all pieces fed is exactly what
// DecodeText gives for their bytes joined, wherever they were cut (inside a UTF-8 sequence, a
// UTF-16 surrogate pair or a byte-order mark). The text is refused as soon as a piece brings a NUL,
// so that nothing after it need be read.
class TextDecoder {
 public:
  explicit TextDecoder(TextKind kind) : kind_(kind) {}
  // False once the text is refused; later pieces are then ignored.
  bool Feed(QByteArrayView piece);
  // The text of everything fed, or nullopt when it is refused.
  std::optional<QString> Finish();

 private:
  enum class Mode { Undecided, Utf8, Utf16LE, Utf16BE, Utf32LE, Utf32BE };
  // Picks the encoding from the first bytes held (once there are four, or at the end).
  void Decide(bool atEnd);
  // Appends the text of bytes and returns how many were decoded: all at the end, else all but a
  // cut sequence or code unit. Sets refused_ when the text gains a NUL.
  qsizetype Decode(QByteArrayView bytes, bool atEnd);
  // Decode in UTF-16 or UTF-32: how many of bytes are whole code units that no later piece can
  // change (all of them at the end), and their text appended.
  qsizetype WholeUnits(QByteArrayView bytes) const;
  void AppendWide(QByteArrayView bytes);
  void Drop();

  TextKind kind_;
  Mode mode_ = Mode::Undecided;
  bool refused_ = false;
  QByteArray held_;  // bytes not decoded yet: the start before its mark is known, or a cut sequence
  QString text_;
};

// What a text field can never hold, because a song document holding it is refused: the NUL.
inline bool IsRefusedInText(QChar c) { return c == QChar(u'\0'); }
// The text without the characters a song document cannot hold (returned as it is when it has none).
QString WithoutRefusedCharacters(QString text);

// UTF-8 where valid, every other byte as its Windows-1252 character; no byte-order mark handling.
QString DecodeUtf8OrWindows1252(const QByteArray& bytes);

// Windows-1252 bytes to text.
QString DecodeWindows1252(const QByteArray& bytes);
// Whether bytes are valid UTF-8.
bool IsValidUtf8(const QByteArray& bytes);
