#pragma once
// What the spell checker left on a line: its underlined ranges as (start, length) pairs.
#include <QList>
#include <QPair>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

inline QList<QPair<int, int>> Underlined(const QTextBlock& block) {
  QList<QPair<int, int>> out;
  for (const QTextLayout::FormatRange& r : block.layout()->formats())
    if (r.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline) out.append({r.start, r.length});
  return out;
}

// The first line's.
inline QList<QPair<int, int>> Underlined(QTextDocument* doc) { return Underlined(doc->firstBlock()); }
