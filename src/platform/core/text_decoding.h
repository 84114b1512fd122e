#pragma once
// Turning a file's bytes into text without ever reinterpreting valid text.
#include <QByteArray>
#include <QString>
#include <optional>

// What the bytes are read as: a song document is UTF-8 only (a UTF-8 byte-order mark dropped); a
// text import may also be UTF-16 or UTF-32 with a byte-order mark.
enum class TextKind { SongDocument, TextImport };

// The text of bytes: UTF-8 where it is valid, and each byte that is not part of a valid UTF-8
// sequence taken as its Windows-1252 character. nullopt when the bytes are not text of that kind:
// the decoded text holds a NUL, or a song document starts with a UTF-16 or UTF-32 byte-order mark.
std::optional<QString> DecodeText(const QByteArray& bytes, TextKind kind);

// UTF-8 where valid, every other byte as its Windows-1252 character; no byte-order mark handling.
QString DecodeUtf8OrWindows1252(const QByteArray& bytes);

// Windows-1252 bytes to text.
QString DecodeWindows1252(const QByteArray& bytes);
// Whether bytes are valid UTF-8.
bool IsValidUtf8(const QByteArray& bytes);
