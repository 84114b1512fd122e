#include "platform/desktop/controls/text_area.h"

#include "platform/core/text_decoding.h"
#include "platform/desktop/controls/text_area_layout.h"
#include "platform/desktop/spell_check.h"

#include <QFontDatabase>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <utility>
#include <vector>

TextArea::TextArea(QWidget* parent) : QPlainTextEdit(parent) {
  // A document of its own, with the layout that repaints a line the spell checker underlines again
  // as the line is edited alone; set up as the editor sets up the one it makes.
  auto* doc = new QTextDocument(this);
  layout_ = new TextAreaLayout(doc);
  layout_->setPaintDevice(viewport());
  doc->setDocumentLayout(layout_);
  doc->setDefaultFont(font());
  setDocument(doc);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setTabChangesFocus(true);
  ApplyFont();
  // Before the text's change signal, so that the text read is in step when it fires.
  connect(document(), &QTextDocument::contentsChange, this, &TextArea::OnContentsChange);
  connect(this, &QPlainTextEdit::textChanged, this, &TextArea::OnDocumentChanged);
  // A scroll asks for the viewport's update with how far it moved: the lines that come on screen
  // are spell-checked before anything else runs.
  connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect&, int dy) {
    if (dy != 0) NoticeVisiblePart();
  });
}

// Whatever else changes what is on screen (a resize, the text laid out anew, lines added or
// removed above) is seen before the next paint.
void TextArea::paintEvent(QPaintEvent* event) {
  NoticeVisiblePart();
  QPlainTextEdit::paintEvent(event);
}

void TextArea::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  NoticeVisiblePart();
}

TextArea::View TextArea::Shown() const {
  return {firstVisibleBlock().blockNumber(), contentOffset().y(), viewport()->size(), document()->blockCount(),
          document()->lineCount()};
}

void TextArea::NoticeVisiblePart(bool newText) {
  if (!speller_) return;
  const View now = Shown();
  if (!newText && now == shown_) return;
  shown_ = now;
  speller_->VisiblePartChanged();
}

QString TextArea::FromDocumentText(QString raw) {
  // Looked through first, so that a text with nothing to map is handed back without a copy. The
  // frame marks only ever stand for line ends in a plain text (inserted, they start a new line).
  const auto mapped = [](QChar c) {
    return c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == QLatin1Char('\n') ||
           c == QChar(0xFDD0) || c == QChar(0xFDD1);
  };
  const auto first = std::find_if(raw.cbegin(), raw.cend(), mapped);
  if (first == raw.cend()) return raw;
  const qsizetype from = first - raw.cbegin();
  QChar* c = raw.data();
  for (qsizetype i = from; i < raw.size(); ++i)
    if (mapped(c[i])) c[i] = QLatin1Char('\r');
  return raw;
}

QString TextArea::Text() const {
  if (!cacheValid_) {
    cache_ = FromDocumentText(document()->toRawText());
    cacheValid_ = true;
  }
  return cache_;
}

namespace {
// ReadBack of a text without a NUL.
QString WithLineEndsRead(QString text) {
  const QLatin1String crlf("\r\n");
  if (text.contains(crlf)) text.replace(crlf, QLatin1String("\r"));
  return TextArea::FromDocumentText(std::move(text));
}
}  // namespace

void TextArea::SetText(QString text) {
  text = WithoutRefusedCharacters(std::move(text));
  {
    const QSignalBlocker block(this);
    // The document reads back as the text with its line ends made CR: known without reading it,
    // and made from the text itself, in place, when it was handed over. A text without a line
    // separator (which stays inside its line, where a CR would end it) makes the same lines with
    // its line ends made CR, and is set so, the text read back in step before the spell checker
    // reads the new lines.
    if (text.contains(QChar::LineSeparator)) {
      setPlainText(text);
      cache_ = WithLineEndsRead(std::move(text));
    } else {
      const QString readBack = WithLineEndsRead(std::move(text));
      const QScopedValueRollback<const QString*> coming(coming_, &readBack);
      setPlainText(readBack);
      cache_ = readBack;
    }
    cacheValid_ = true;
  }
  ForgetEdits();
  length_ = document()->characterCount() - 1;
  NoticeVisiblePart(true);
  emit TextChange();
}

namespace {

// A piece of the text before a change, [fromStart, fromEnd), and what takes its place in the text
// after it, [toStart, toEnd).
struct Span {
  qsizetype fromStart, fromEnd, toStart, toEnd;
};

// The part of a piece that differs: what lies between the piece's common start and its common
// end in both texts, never cutting a pair of surrogates.
Span DifferingPart(const QString& from, const QString& to, Span s) {
  const qsizetype shorter = std::min(s.fromEnd - s.fromStart, s.toEnd - s.toStart);
  qsizetype head = 0;
  while (head < shorter && from[s.fromStart + head] == to[s.toStart + head]) ++head;
  if (head > 0 && from[s.fromStart + head - 1].isHighSurrogate()) --head;
  qsizetype tail = 0;
  while (tail < shorter - head && from[s.fromEnd - 1 - tail] == to[s.toEnd - 1 - tail]) ++tail;
  if (tail > 0 && from[s.fromEnd - tail].isLowSurrogate()) --tail;
  return {s.fromStart + head, s.fromEnd - tail, s.toStart + head, s.toEnd - tail};
}

// Rewrites the document, which reads as from, so that it reads as to, touching only what differs,
// so that a command that changes a few words leaves the rest of a long song and its layout alone.
// When the differing part holds as many line ends in both texts (lines rewritten in place, as by
// a Replace All) and at most half of its lines changed, each changed line is rewritten on its own,
// from the last up, and the lines in between are not touched; else it is replaced whole. Either
// way it is one change of the document when it is done inside one edit block.
void ReplaceDifference(QTextCursor& c, const QString& from, const QString& to) {
  const Span whole = DifferingPart(from, to, {0, from.size(), 0, to.size()});
  const QChar cr(u'\r');
  const QStringView before = QStringView(from).sliced(whole.fromStart, whole.fromEnd - whole.fromStart);
  const QStringView after = QStringView(to).sliced(whole.toStart, whole.toEnd - whole.toStart);
  std::vector<Span> parts;
  const qsizetype lineEnds = before.count(cr);
  if (lineEnds > 0 && after.count(cr) == lineEnds) {
    qsizetype f = whole.fromStart, t = whole.toStart;
    for (qsizetype i = 0; i <= lineEnds; ++i) {
      const qsizetype fe = i < lineEnds ? from.indexOf(cr, f) : whole.fromEnd;
      const qsizetype te = i < lineEnds ? to.indexOf(cr, t) : whole.toEnd;
      const Span part = DifferingPart(from, to, {f, fe, t, te});
      if (part.fromStart != part.fromEnd || part.toStart != part.toEnd) parts.push_back(part);
      f = fe + 1;
      t = te + 1;
    }
    // Rewriting a line on its own costs more than one line of a whole replacement.
    if (parts.size() * 2 > static_cast<size_t>(lineEnds + 1)) parts.assign(1, whole);
  } else {
    parts.push_back(whole);
  }
  for (auto it = parts.rbegin(); it != parts.rend(); ++it) {
    c.setPosition(static_cast<int>(it->fromStart));
    c.setPosition(static_cast<int>(it->fromEnd), QTextCursor::KeepAnchor);
    c.insertText(to.mid(it->toStart, it->toEnd - it->toStart));
  }
}

}  // namespace

QString TextArea::ReadBack(QString text) { return WithLineEndsRead(WithoutRefusedCharacters(std::move(text))); }

void TextArea::ReplaceText(QString raw) {
  const QString text = ReadBack(std::move(raw));
  if (text != Text()) {
    const int caret = SelStart();
    const QSignalBlocker block(this);
    const QScopedValueRollback<const QString*> coming(coming_, &text);
    QTextCursor c(document());
    c.beginEditBlock();
    ReplaceDifference(c, Text(), text);
    // The caret goes back where it was (within the new text) while the edit is still open, so
    // that its place is not looked up in a layout of the old text's lines.
    c.setPosition(std::clamp(caret, 0, std::max(0, document()->characterCount() - 1)));
    c.endEditBlock();
    cache_ = text;
    cacheValid_ = true;
    setTextCursor(c);
    NoticeVisiblePart(true);
  }
  emit TextChange();
}

int TextArea::SelStart() const { return textCursor().selectionStart(); }

void TextArea::SetSelStart(int offset) {
  QTextCursor c = textCursor();
  const int end = document()->characterCount() - 1;
  c.setPosition(std::clamp(offset, 0, std::max(0, end)));
  setTextCursor(c);
}

int TextArea::SelLength() const {
  const QTextCursor c = textCursor();
  return c.selectionEnd() - c.selectionStart();
}

void TextArea::SetSelLength(int length) {
  QTextCursor c = textCursor();
  const int start = c.selectionStart();
  const int end = document()->characterCount() - 1;
  c.setPosition(start);
  c.setPosition(std::clamp(start + std::max(0, length), start, std::max(start, end)), QTextCursor::KeepAnchor);
  setTextCursor(c);
}

QString TextArea::SelText() const { return FromDocumentText(textCursor().selectedText()); }

void TextArea::SetSelText(const QString& text) {
  {
    const QSignalBlocker block(this);
    QTextCursor c = textCursor();
    c.insertText(WithoutRefusedCharacters(text));
    setTextCursor(c);
  }
  emit TextChange();
}

namespace {
// The plain text a paste or drop would insert; empty when the source has none.
QString PlainTextOf(const QMimeData* source) { return source && source->hasText() ? source->text() : QString(); }
}  // namespace

void TextArea::keyPressEvent(QKeyEvent* event) {
  // Qt looks only at the first character of a key's text before it inserts all of it.
  const QString text = event->text();
  if (std::none_of(text.cbegin(), text.cend(), IsRefusedInText)) {
    QPlainTextEdit::keyPressEvent(event);
    return;
  }
  QKeyEvent clean(event->type(), event->key(), event->modifiers(), event->nativeScanCode(), event->nativeVirtualKey(),
                  event->nativeModifiers(), WithoutRefusedCharacters(text), event->isAutoRepeat(),
                  static_cast<quint16>(event->count()), event->device());
  QPlainTextEdit::keyPressEvent(&clean);
  event->setAccepted(clean.isAccepted());
}

void TextArea::inputMethodEvent(QInputMethodEvent* event) {
  const QString commit = event->commitString();
  if (std::none_of(commit.cbegin(), commit.cend(), IsRefusedInText)) {
    QPlainTextEdit::inputMethodEvent(event);
    return;
  }
  QInputMethodEvent clean(event->preeditString(), event->attributes());
  clean.setCommitString(WithoutRefusedCharacters(commit), event->replacementStart(), event->replacementLength());
  QPlainTextEdit::inputMethodEvent(&clean);
  event->setAccepted(clean.isAccepted());
}

bool TextArea::canInsertFromMimeData(const QMimeData* source) const { return !PlainTextOf(source).isEmpty(); }

void TextArea::insertFromMimeData(const QMimeData* source) {
  const QString text = WithoutRefusedCharacters(PlainTextOf(source));
  if (text.isEmpty() || isReadOnly()) return;
  // The typed-in path: the change handler runs once, and the paste is one undo step. The text
  // read back is read as the paste lands, for the spell checker to read its lines from.
  const QScopedValueRollback<bool> reading(readAtOnce_, true);
  QTextCursor c = textCursor();
  c.insertText(text);
  setTextCursor(c);
  ensureCursorVisible();
}

void TextArea::SelectAll() { selectAll(); }

void TextArea::SetFocus() { setFocus(Qt::OtherFocusReason); }

void TextArea::SetTextFont(const QString& name) {
  // Asked again on every keystroke while the song is shown in the fixed-width font.
  if (name == fontName_) return;
  fontName_ = name;
  ApplyFont();
}

void TextArea::SetTextSize(double pixels) {
  fontSize_ = pixels;
  ApplyFont();
}

void TextArea::ApplyFont() {
  QFont f = fontName_.compare(QLatin1String("System"), Qt::CaseInsensitive) == 0
                ? QFontDatabase::systemFont(QFontDatabase::GeneralFont)
                : QFont(fontName_);
  if (fontName_.compare(QLatin1String("Courier"), Qt::CaseInsensitive) == 0) f.setStyleHint(QFont::TypeWriter);
  if (fontSize_ > 0) f.setPixelSize(static_cast<int>(fontSize_));
  setFont(f);
}

void TextArea::SetAutomaticallyCheckSpelling(bool on) {
  spellCheck_ = on;
  if (on && !speller_) {
    // One dictionary for every text area of the run: loading it is slow.
    static const std::shared_ptr<SpellDictionary> dictionary = SpellDictionary::EnUs();
    // Its first pass runs before it is ours to ask whether it is busy.
    const QScopedValueRollback<bool> making(makingSpeller_, true);
    speller_ = new SpellHighlighter(document(), wordReading_, dictionary);
    // Every line begins at least one row of the text: the rows that fit bound the lines shown.
    speller_->SetShownLines([this] {
      const int top = firstVisibleBlock().blockNumber();
      const int rows = viewport()->height() / std::max(1, fontMetrics().lineSpacing()) + 1;
      return std::pair{std::max(0, top), std::max(0, top) + rows};
    });
    speller_->SetVisiblePart([this](const QTextBlock& block) { return VisiblePartOf(block); });
    speller_->SetLineText([this](const QTextBlock& block) { return KeptLine(block); });
    speller_->SetReformatted([this](const QTextBlock& block) { layout_->Reformatted(block); });
    NoticeVisiblePart(true);
  }
  if (speller_) speller_->SetEnabled(on);
}

void TextArea::OnContentsChange(int from, int removed, int added) {
  // The spell checker's passes change formats only.
  if (makingSpeller_ || (speller_ && speller_->Busy())) return;
  const qsizetype now = document()->characterCount() - 1;
  if (coming_) {
    // Setting or replacing the text, which the document now reads as.
    cacheValid_ = coming_->size() == now;
    if (cacheValid_) cache_ = *coming_;
    ForgetEdits();
    length_ = now;
    return;
  }
  // Splicing costs what the edit added; past this a read of the whole text is as quick.
  constexpr int kSpliced = 4096;
  // Qt reports some changes (the first after a text is set, among others) as larger than they
  // were, up to the final block separator, which the text leaves out: such a range does not fit
  // the text before the change, and the text is read afresh instead.
  const qsizetype before = std::exchange(length_, now);
  if (from < 0 || removed < 0 || added < 0 || added > kSpliced || from + qsizetype(removed) > before ||
      before - removed + added != now) {
    ForgetEdits();
    cacheValid_ = readAtOnce_;
    // The text read whole when it is asked for now, else when it is next asked for.
    cache_ = readAtOnce_ ? FromDocumentText(document()->toRawText()) : QString();
    return;
  }
  // Read character by character: a cursor would lay out the lines it is moved to.
  QString piece(added, Qt::Uninitialized);
  for (int i = 0; i < added; ++i) piece[i] = document()->characterAt(from + i);
  piece = FromDocumentText(std::move(piece));
  if (cacheValid_ && cache_.size() == before && (cache_.isDetached() || readAtOnce_)) {
    cache_.replace(from, removed, piece);
  } else if (readAtOnce_) {
    cache_ = FromDocumentText(document()->toRawText());
    cacheValid_ = true;
  } else {
    // Another holds the text read (a song state, say): it is read afresh when next asked for.
    cache_ = QString();
    cacheValid_ = false;
  }
  // Edits nobody takes are forgotten past a few: the text is then read whole.
  constexpr size_t kEditsKept = 64;
  if (editsKnown_ && edits_.size() < kEditsKept)
    edits_.push_back(TextEdit{from, removed, std::move(piece)});
  else
    ForgetEdits();
}

void TextArea::ForgetEdits() {
  edits_.clear();
  editsKnown_ = false;
}

std::optional<std::vector<TextEdit>> TextArea::TakeEdits() {
  std::optional<std::vector<TextEdit>> out;
  if (editsKnown_) out = std::move(edits_);
  edits_.clear();
  editsKnown_ = true;
  return out;
}

std::optional<QStringView> TextArea::KeptLine(const QTextBlock& block) const {
  if (!cacheValid_ || cache_.size() != document()->characterCount() - 1 || !block.isValid()) return std::nullopt;
  const qsizetype from = block.position(), length = block.length() - 1;
  if (from < 0 || length < 0 || from + length > cache_.size()) return std::nullopt;
  // A CR inside a line stands for its line separator, which the line reads as itself.
  const QStringView line = QStringView(cache_).sliced(from, length);
  if (line.contains(QLatin1Char('\r'))) return std::nullopt;
  return line;
}

std::optional<std::pair<int, int>> TextArea::VisiblePartOf(const QTextBlock& block) const {
  // The top of block on screen, from the first line shown down; a line not laid out yet (inside
  // an edit, say) ends the search rather than being laid out for it.
  QTextBlock b = firstVisibleBlock();
  if (!b.isValid() || !block.isValid() || block.blockNumber() < b.blockNumber()) return std::nullopt;
  const qreal height = viewport()->height();
  qreal top = contentOffset().y();
  for (; b.isValid() && b != block; b = b.next()) {
    if (b.layout()->lineCount() == 0) return std::nullopt;
    top += blockBoundingRect(b).height();
    if (top >= height) return std::nullopt;
  }
  const QTextLayout* layout = block.layout();
  const int lines = layout->lineCount();
  if (lines == 0) return std::nullopt;
  // The first line that reaches below the top of the view, and the first that starts below its
  // bottom.
  const auto firstWhere = [&](const auto& past) {
    int lo = 0, hi = lines;
    while (lo < hi) {
      const int mid = lo + (hi - lo) / 2;
      if (past(layout->lineAt(mid)))
        hi = mid;
      else
        lo = mid + 1;
    }
    return lo;
  };
  const int first = firstWhere([&](const QTextLine& l) { return top + l.y() + l.height() > 0; });
  const int end = firstWhere([&](const QTextLine& l) { return top + l.y() >= height; });
  if (first >= end) return std::nullopt;
  const QTextLine last = layout->lineAt(end - 1);
  return std::pair{layout->lineAt(first).textStart(), last.textStart() + last.textLength()};
}

void TextArea::OnDocumentChanged() {
  if (makingSpeller_ || (speller_ && speller_->Busy())) return;
  emit TextChange();
}
