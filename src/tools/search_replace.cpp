#include "tools/search_replace.h"

#include <algorithm>

#include "platform/strings.h"

std::optional<TextSelection> SearchFromCaret(const QString& text, int selStart, const QString& term) {
  if (term.isEmpty()) return std::nullopt;
  // The caret's offset read as a 1-based position is the character just before it; position 0
  // does not exist, so a caret at the very start begins with the first character.
  const int first = std::max(selStart, 1);
  if (first > text.size()) return std::nullopt;
  const qsizetype at = text.indexOf(term, first - 1, Qt::CaseInsensitive);
  if (at < 0) return std::nullopt;
  return TextSelection{static_cast<int>(at), static_cast<int>(term.size())};
}

QString ReplaceAllOccurrences(const QString& text, const QString& term, const QString& replacement) {
  return ReplaceAll(text, term, replacement);
}
