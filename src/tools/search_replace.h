#pragma once
// Finding a term from the caret, and replacing every occurrence of a term.
#include <QString>
#include <optional>

struct TextSelection {
  int selStart = 0;   // 0-based offset of the first selected character
  int selLength = 0;  // in characters
};

// The next occurrence of term (letter case ignored), as the selection that covers it. selStart is
// the 0-based caret, or the first selected character when selLength > 0. With nothing selected
// the scan begins at the character after the caret; with a selection it begins one character
// after the selection's first character, so searching again for a found, selected occurrence
// finds the next one (overlapping ones included). Nothing for an empty term, a start past the
// end, or no occurrence. Never wraps around to the start.
std::optional<TextSelection> SearchFromCaret(const QString& text, int selStart, int selLength, const QString& term);

// Every occurrence of term (letter case ignored) replaced by replacement as written, in one
// left-to-right pass that never looks again at what it inserted. An empty term changes nothing;
// an empty replacement deletes every occurrence.
QString ReplaceAllOccurrences(const QString& text, const QString& term, const QString& replacement);
