#pragma once
// Chord-line conversion: chords written on lines of their own, over the lyric, become chord
// markers inside the lyric line below.
#include <QString>

// The song text with every chord line that has a line below it moved into that line as markers:
// each chord (a run of characters without white space) is inserted as "[" chord "]" (or as it
// stands when already bracketed) in front of the character of the line below that stands under
// the chord's first character, or appended when that line is shorter; the line below is then
// trimmed and the chord line emptied. LF line ends become CR, and runs of blank lines are
// collapsed before and after.
QString ConvertChordsToInlineChords(const QString& text);

// Whether a line is a chord line: not empty, and nothing but white space left once every chord
// name (longest first, letter case ignored), every "/" and every "[]" has been removed.
bool IsChordLine(const QString& line);
