#include "tools/search_replace.h"

#include <algorithm>

#include "platform/core/strings.h"

std::optional<TextSelection> SearchFromCaret(const QString& text, int selStart, int selLength, const QString& term) {
  if (term.isEmpty()) return std::nullopt;
  // 0-based offset of the first candidate: the character after the caret, or the one after the
  // first selected character, so that a found occurrence that is still selected is stepped over.
  const qsizetype first = static_cast<qsizetype>(std::max(selStart, 0)) + (selLength > 0 ? 1 : 0);
  if (first >= text.size()) return std::nullopt;
  const qsizetype at = text.indexOf(term, first, Qt::CaseInsensitive);
  if (at < 0) return std::nullopt;
  return TextSelection{static_cast<int>(at), static_cast<int>(term.size())};
}

QString ReplaceAllOccurrences(const QString& text, const QString& term, const QString& replacement) {
  return ReplaceAll(text, term, replacement);
}
