#pragma once
// Text from outside the program (song fields, file, folder and printer names, system messages) as
// the program shows it and as it hands it on: it is data, so nothing in it may look like the
// program's own words, move them about, or reach a terminal or a file name unchanged.
#include <QByteArray>
#include <QString>

// bytes (a file name as the system holds it) as readable text: valid UTF-8 as its characters,
// control characters and every byte that is not part of a valid UTF-8 sequence as "\xNN".
QString ReadableName(const QByteArray& bytes);

// text for a message: control characters and line and paragraph separators escaped as
// ReadableName escapes them ("\x0A", "\xE2\x80\xA8"), a surrogate without its partner as the
// bytes it would take ("\xED\xA0\x80"); when it holds a bidi override, embedding, isolate or mark,
// the whole is isolated (U+2068 ... U+2069) so that the text around it keeps its order: an isolate
// the text leaves open is closed before the whole is, one it closes without opening is escaped.
// Anything else is unchanged.
QString ShownText(const QString& text);

// text with its middle replaced by "…" when it has more than maxCharacters characters: as many
// characters as fit (a character outside the basic plane is never split) from its start and its
// end. A bidi isolate cut apart is closed before the "…" and opened again (U+2068) after it, so
// that the words around it stay out of it; those marks are not counted. maxCharacters below 3 is
// taken as 3.
QString MiddleShortened(const QString& text, qsizetype maxCharacters);

// text as a name: every control character, bidi control character, line or paragraph separator
// and surrogate without its partner replaced by a blank, and every format character that shows
// nothing and joins nothing (the soft hyphen, the zero-width space, the word joiner, the
// byte-order mark and their like) left out, so that the name is what it looks like.
QString WithoutControls(const QString& text);

// The longest start of text whose UTF-8 form has at most maxBytes bytes, ending at a character
// boundary.
QString Utf8Prefix(const QString& text, qsizetype maxBytes);
