#include "platform/desktop/spell_check.h"

#include <QElapsedTimer>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>
#include <algorithm>

#include "platform/desktop/bracket_index.h"
#include "platform/desktop/edit_recheck.h"
#include "platform/desktop/underline_window.h"

namespace {

// A line at least this long keeps a BracketIndex and is re-checked around each edit only.
constexpr int kLongLine = 2 * BracketIndex::kChunk;

// A change of more lines than this checks only the lines on screen at once, the rest when idle.
constexpr int kEagerLines = 200;
// How long one slice of the idle checking may take, in milliseconds.
constexpr int kSliceMs = 4;
// A line's user state once it is underlined as its text and the switch want it; any other value
// (a new line's -1) means it waits for its check.
constexpr int kChecked = 1;

// What a long line keeps between edits: its brackets, its misspelt words, and which of them are
// underlined on its layout: those that reach into the window near, `underlined` of them.
struct LineIndex : QTextBlockUserData {
  explicit LineIndex(QStringView text) : brackets(text) {}
  BracketIndex brackets;
  Underlines words;
  UnderlineWindow near;
  qsizetype underlined = 0;
};

const QTextCharFormat& Underline() {
  static const QTextCharFormat bad = [] {
    QTextCharFormat f;
    f.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    f.setUnderlineColor(Qt::red);
    return f;
  }();
  return bad;
}

bool IsUnderline(const QTextCharFormat& f) { return f.underlineStyle() == QTextCharFormat::SpellCheckUnderline; }

QString TextOf(QTextDocument* doc, int from, int to) {
  if (to <= from) return QString();
  QTextCursor c(doc);
  c.setPosition(from);
  c.setPosition(to, QTextCursor::KeepAnchor);
  return c.selectedText();
}

}  // namespace

SpellHighlighter::SpellHighlighter(QTextDocument* doc, const WordReading& reading,
                                   std::shared_ptr<SpellDictionary> dictionary)
    : QObject(doc), doc_(doc), reading_(reading), dictionary_(std::move(dictionary)) {
  if (!reading_.words || !reading_.isBoundary || !reading_.readAfter) dictionary_ = nullptr;
  if (!doc_ || !dictionary_) return;
  blockCount_ = doc_->blockCount();
  sweep_ = new QTimer(this);
  sweep_->setSingleShot(true);
  sweep_->setInterval(0);
  connect(sweep_, &QTimer::timeout, this, [this] { Sweep(kSliceMs); });
  connect(doc_, &QTextDocument::contentsChange, this, &SpellHighlighter::OnContentsChange);
  CheckAll();
}

SpellHighlighter::~SpellHighlighter() {
  if (!doc_ || !dictionary_) return;
  enabled_ = false;
  CheckAll();
}

void SpellHighlighter::SetEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  if (dictionary_) CheckAll();
}

void SpellHighlighter::CheckAll() {
  if (!doc_) return;
  if (enabled_ && dictionary_ && doc_->blockCount() > kEagerLines) {
    Defer(doc_->begin(), doc_->characterCount());
    VisiblePartChanged();
    return;
  }
  sweeping_ = false;
  if (sweep_) sweep_->stop();
  InPass([this] {
    for (QTextBlock b = doc_->begin(); b.isValid(); b = b.next()) CheckLine(b);
  });
  blockCount_ = doc_->blockCount();
}

void SpellHighlighter::InPass(const std::function<void()>& work) {
  const QScopedValueRollback<bool> inPass(inPass_, true);
  QTextCursor cursor(doc_);
  cursor.beginEditBlock();
  work();
  cursor.endEditBlock();
}

void SpellHighlighter::OnContentsChange(int from, int removed, int added) {
  if (!doc_) return;
  const int blocksBefore = blockCount_;
  blockCount_ = doc_->blockCount();
  // Nothing before the change moved, everything after it moved with it.
  if (sweeping_ && from < resume_) resume_ = std::max(from, resume_ + added - removed);
  if (inPass_ || !enabled_) return;
  const QTextBlock first = doc_->findBlock(from);
  if (!first.isValid()) return;
  if (blockCount_ == blocksBefore && doc_->findBlock(from + added) == first &&
      CheckEdit(first, from - first.position(), removed, added))
    return;
  // The lines the change spans, and the next one when text was removed (it may have been joined).
  QTextBlock last = doc_->findBlock(from + added + (removed > 0 ? 1 : 0));
  if (!last.isValid()) last = doc_->lastBlock();
  const int end = last.position() + last.length();
  if (last.blockNumber() - first.blockNumber() >= kEagerLines) {
    Defer(first, end);
  } else {
    for (QTextBlock b = first; b.isValid() && b.position() < end; b = b.next()) CheckLine(b);
  }
  // Lines that waited may have moved on screen. Inside the change's own signal their new
  // underlines join the change (an edit block of their own would lay out the whole change again).
  if (sweeping_ && shown_) CheckShownLines();
}

void SpellHighlighter::Defer(QTextBlock block, int end) {
  const int from = block.position();
  // The lines up to the one holding the character before end, found once: a line's position is
  // looked up, not kept.
  const QTextBlock stop = end > from ? doc_->findBlock(end - 1).next() : block;
  for (; block.isValid() && block != stop; block = block.next()) {
    block.setUserState(-1);
    block.setUserData(nullptr);  // an index of the line's brackets would be of the old text
  }
  if (!sweeping_ || from < resume_) resume_ = from;
  sweeping_ = true;
  sweep_->start();
}

void SpellHighlighter::SetShownLines(ShownLines shown) { shown_ = std::move(shown); }

void SpellHighlighter::SetVisiblePart(VisiblePart part) { visiblePart_ = std::move(part); }

void SpellHighlighter::SetLineText(LineText text) { lineText_ = std::move(text); }

void SpellHighlighter::SetReformatted(Reformatted told) { reformatted_ = std::move(told); }

std::optional<std::pair<int, int>> SpellHighlighter::Shown(const QTextBlock& block) const {
  if (!visiblePart_) return std::nullopt;
  return visiblePart_(block);
}

void SpellHighlighter::VisiblePartChanged() {
  if (!doc_ || !shown_ || inPass_ || (!sweeping_ && !ShownWithoutUnderlines())) return;
  InPass([this] { CheckShownLines(); });
}

bool SpellHighlighter::ShownWithoutUnderlines() const {
  if (!visiblePart_) return false;
  const auto [first, last] = shown_();
  for (QTextBlock b = doc_->findBlockByNumber(std::max(0, first)); b.isValid() && b.blockNumber() <= last;
       b = b.next()) {
    const auto* line = dynamic_cast<const LineIndex*>(b.userData());
    if (!line) continue;
    const auto shown = Shown(b);
    if (shown && !line->near.Covers(*shown)) return true;
  }
  return false;
}

void SpellHighlighter::CheckShownLines() {
  const auto [first, last] = shown_();
  for (QTextBlock b = doc_->findBlockByNumber(std::max(0, first)); b.isValid() && b.blockNumber() <= last;
       b = b.next()) {
    if (b.userState() != kChecked) {
      CheckLine(b);
      continue;
    }
    auto* line = dynamic_cast<LineIndex*>(b.userData());
    if (!line) continue;
    const auto shown = Shown(b);
    if (!shown || line->near.Covers(*shown)) continue;
    line->near = UnderlineWindow::Around(line->words, *shown);
    PutNear(b);
  }
}

void SpellHighlighter::Sweep(int budgetMs) {
  if (!doc_ || !sweeping_) return;
  QElapsedTimer clock;
  clock.start();
  QTextBlock b = doc_->findBlock(resume_);
  InPass([&] {
    for (; b.isValid() && clock.elapsed() < budgetMs; b = b.next())
      if (b.userState() != kChecked) CheckLine(b);
  });
  if (b.isValid()) {
    resume_ = b.position();
    sweep_->start();
  } else {
    sweeping_ = false;
  }
}

void SpellHighlighter::CheckLine(const QTextBlock& block) {
  const bool on = enabled_ && dictionary_;
  // A long line is read where the control keeps it rather than copied.
  QString copy;
  QStringView text;
  if (const std::optional<QStringView> kept = lineText_ ? lineText_(block) : std::nullopt) {
    text = *kept;
  } else {
    copy = block.text();
    text = copy;
  }
  Underlines words = on ? Misspelt(text) : Underlines();
  QTextBlock line(block);
  if (!on || text.size() < kLongLine) {
    SetUnderlines(block, words);
    line.setUserData(nullptr);
    line.setUserState(kChecked);
    return;
  }
  auto* index = new LineIndex(text);
  index->words = std::move(words);
  // Near the part on screen; else near where the line was before it changed, or its start.
  if (const auto shown = Shown(block)) {
    index->near = UnderlineWindow::Around(index->words, *shown);
  } else if (const auto* old = dynamic_cast<const LineIndex*>(block.userData())) {
    index->near = old->near;
  } else if (visiblePart_) {
    index->near = UnderlineWindow::Around(index->words, {0, 0});
  }
  line.setUserData(index);
  PutNear(block);
  line.setUserState(kChecked);
}

void SpellHighlighter::PutNear(const QTextBlock& block) {
  auto& line = *static_cast<LineIndex*>(block.userData());
  const auto [first, last] = line.near.Reaching(line.words);
  const Underlines near = line.words.mid(first, last - first);
  SetUnderlines(block, near);
  line.underlined = near.size();
}

Underlines SpellHighlighter::Checked(const QTextBlock& block) const {
  if (const auto* line = dynamic_cast<const LineIndex*>(block.userData())) return line->words;
  Underlines out;
  for (const QTextLayout::FormatRange& r : block.layout()->formats())
    if (IsUnderline(r.format)) out.append({r.start, r.length});
  return out;
}

bool SpellHighlighter::CheckEdit(const QTextBlock& block, int at, int removed, int added) {
  auto* line = dynamic_cast<LineIndex*>(block.userData());
  QTextLayout* layout = block.layout();
  const int length = block.length() - 1;
  if (!line || length < kLongLine / 2 || !layout->preeditAreaText().isEmpty()) return false;
  // The words the line kept are those of the text before the edit, and the layout still has the
  // underlines put on it (unless something else replaced its formats: then the line is checked
  // whole).
  const QList<QTextLayout::FormatRange> formats = layout->formats();
  if (std::count_if(formats.cbegin(), formats.cend(), [](const auto& r) { return IsUnderline(r.format); }) !=
      line->underlined)
    return false;
  QTextDocument* doc = doc_;
  const int base = block.position();
  const BracketIndex::Reader read = [doc, base](int from, int to) { return TextOf(doc, base + from, base + to); };
  std::optional<Underlines> words = RecheckEdit(line->brackets, line->words, length, at, removed, added, read, reading_,
                                                [this](const QString& text) { return Misspelt(text); });
  if (!words) return false;
  line->words = std::move(*words);
  // The stretch underlined moves with the text.
  line->near.Move(at, added - removed);
  PutNear(block);
  return true;
}

bool SpellHighlighter::SetUnderlines(const QTextBlock& block, const Underlines& words) {
  QTextLayout* layout = block.layout();
  const QList<QTextLayout::FormatRange> old = layout->formats();
  QList<QTextLayout::FormatRange> ranges;
  ranges.reserve(words.size());
  for (const QTextLayout::FormatRange& r : old)
    if (!IsUnderline(r.format)) ranges.append(r);  // an input method's, say
  // Formats count in the text as shown, with the text being composed (pre-edit) in it.
  const int preeditAt = layout->preeditAreaPosition();
  const int preedit = static_cast<int>(layout->preeditAreaText().size());
  for (auto [start, length] : words) {
    if (preedit > 0) {
      if (start >= preeditAt) {
        start += preedit;
      } else if (start + length >= preeditAt) {
        length += preedit;
      }
    }
    ranges.append({start, length, Underline()});
  }
  if (ranges == old) return false;
  layout->setFormats(ranges);
  if (reformatted_) reformatted_(block);
  doc_->markContentsDirty(block.position(), block.length());
  return true;
}

Underlines SpellHighlighter::Misspelt(QStringView line) {
  Underlines out;
  if (!dictionary_) return out;
  reading_.words(line, [&](const QString& word, int start, int length) {
    if (reading_.skip && reading_.skip(word)) return;
    if (!dictionary_->IsCorrect(word)) out.append({start, length});
  });
  return out;
}
