#include "platform/desktop/controls/text_area_layout.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <utility>

namespace {
constexpr int kNone = -1;
constexpr int kSeveral = -2;
}  // namespace

TextAreaLayout::TextAreaLayout(QTextDocument* doc) : QPlainTextDocumentLayout(doc), lines_(doc->blockCount()) {
  // Before anyone else hears of the change, and so before its formats can widen it.
  connect(doc, &QTextDocument::contentsChange, this, &TextAreaLayout::OnContentsChange);
}

void TextAreaLayout::OnContentsChange(int from, int removed, int added) { edit_ = Change{from, removed, added}; }

void TextAreaLayout::Reformatted(const QTextBlock& block) {
  const int line = block.blockNumber();
  if (reformatted_ == kNone) {
    reformatted_ = line;
  } else if (reformatted_ != line) {
    reformatted_ = kSeveral;
  }
}

std::optional<int> TextAreaLayout::OneLine(const Change& change) const {
  const QTextDocument* doc = document();
  if (doc->blockCount() != lines_) return std::nullopt;
  // Qt's own reading of a change: from its start to as far as what was removed and what was added
  // reach together.
  const QTextBlock first = doc->findBlock(change.from);
  const QTextBlock last = doc->findBlock(std::max(0, change.from + change.removed + change.added - 1));
  if (!first.isValid() || first != last) return std::nullopt;
  return first.blockNumber();
}

void TextAreaLayout::documentChanged(int from, int removed, int added) {
  const std::optional<Change> edit = std::exchange(edit_, std::nullopt);
  const int reformatted = std::exchange(reformatted_, kNone);
  // Only the edit's own line was given other formats: laid out anew, it is all that changed.
  if (edit && reformatted != kNone && OneLine(*edit) == reformatted) {
    LayOutAlone(document()->findBlock(edit->from));
  } else {
    QPlainTextDocumentLayout::documentChanged(from, removed, added);
  }
  lines_ = document()->blockCount();
}

void TextAreaLayout::LayOutAlone(const QTextBlock& line) {
  // The rows the document counted for the line when it was last laid out: its new formats cleared
  // the layout itself, which Qt's layout would otherwise lay out once to measure the line as it
  // was, then again for the edit.
  const int rows = line.lineCount();
  line.layout()->clearLayout();
  ensureBlockLayout(line);
  if (line.lineCount() == rows) {
    emit updateBlock(line);
  } else {
    requestUpdate();
  }
}
