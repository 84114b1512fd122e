#pragma once
// Finding a term from the caret, and replacing every occurrence of a term.
#include <QString>
#include <optional>

struct TextSelection {
  int selStart = 0;   // 0-based offset of the first selected character
  int selLength = 0;  // in characters
};

// The first occurrence of term (letter case ignored) that begins at or after the character just
// before selStart (the caret or the start of the selection, 0-based), as the selection that covers
// it. With the caret at the very start the scan begins at the first character. Nothing for an
// empty term, a caret past the end, or no occurrence. Never wraps around to the start.
std::optional<TextSelection> SearchFromCaret(const QString& text, int selStart, const QString& term);

// Every occurrence of term (letter case ignored) replaced by replacement as written, in one
// left-to-right pass that never looks again at what it inserted. An empty term changes nothing;
// an empty replacement deletes every occurrence.
QString ReplaceAllOccurrences(const QString& text, const QString& term, const QString& replacement);
