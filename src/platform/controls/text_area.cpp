#include "platform/controls/text_area.h"

#include "platform/spell_check.h"

#include <QFontDatabase>
#include <QMimeData>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

TextArea::TextArea(QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setTabChangesFocus(true);
  ApplyFont();
  connect(this, &QPlainTextEdit::textChanged, this, &TextArea::OnDocumentChanged);
}

QString TextArea::FromDocumentText(QString raw) {
  for (QChar& c : raw) {
    if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == QLatin1Char('\n')) c = QLatin1Char('\r');
  }
  return raw;
}

QString TextArea::Text() const {
  if (!cacheValid_) {
    cache_ = FromDocumentText(document()->toRawText());
    cacheValid_ = true;
  }
  return cache_;
}

void TextArea::SetText(const QString& text) {
  {
    const QSignalBlocker block(this);
    setPlainText(text);
    cacheValid_ = false;
  }
  emit TextChange();
}

namespace {

// Rewrites the document, which reads as from, so that it reads as to: only the characters between
// their common start and their common end are replaced (no pair of surrogates is cut), so that a
// command that changes one word leaves the rest of a long song, its layout and its spelling marks
// alone.
void ReplaceDifference(QTextCursor& c, const QString& from, const QString& to) {
  const qsizetype shorter = std::min(from.size(), to.size());
  qsizetype head = 0;
  while (head < shorter && from[head] == to[head]) ++head;
  if (head > 0 && from[head - 1].isHighSurrogate()) --head;
  qsizetype tail = 0;
  while (tail < shorter - head && from[from.size() - 1 - tail] == to[to.size() - 1 - tail]) ++tail;
  if (tail > 0 && from[from.size() - tail].isLowSurrogate()) --tail;
  c.setPosition(static_cast<int>(head));
  c.setPosition(static_cast<int>(from.size() - tail), QTextCursor::KeepAnchor);
  c.insertText(to.mid(head, to.size() - head - tail));
}

}  // namespace

QString TextArea::ReadBack(const QString& text) {
  const QLatin1String crlf("\r\n");
  return FromDocumentText(text.contains(crlf) ? QString(text).replace(crlf, QLatin1String("\r")) : text);
}

void TextArea::ReplaceText(const QString& text) { ReplaceTextInStages({text}); }

void TextArea::ReplaceTextInStages(const QStringList& stages) {
  if (stages.isEmpty()) return;
  const bool changes = ReadBack(stages.last()) != Text();
  const int caret = SelStart();
  bool stepOpen = false;
  for (const QString& stage : stages) {
    if (changes && ReadBack(stage) != Text()) {
      const QSignalBlocker block(this);
      // One edit block for the whole command: the first stage that changes the text opens the
      // step, every later one joins it.
      QTextCursor c(document());
      if (stepOpen) c.joinPreviousEditBlock();
      else c.beginEditBlock();
      stepOpen = true;
      ReplaceDifference(c, Text(), ReadBack(stage));
      c.endEditBlock();
      cacheValid_ = false;
      SetSelStart(caret);
    }
    emit TextChange();
  }
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
    c.insertText(text);
    setTextCursor(c);
    cacheValid_ = false;
  }
  emit TextChange();
}

namespace {
// The plain text a paste or drop would insert; empty when the source has none.
QString PlainTextOf(const QMimeData* source) { return source && source->hasText() ? source->text() : QString(); }
}  // namespace

bool TextArea::canInsertFromMimeData(const QMimeData* source) const { return !PlainTextOf(source).isEmpty(); }

void TextArea::insertFromMimeData(const QMimeData* source) {
  const QString text = PlainTextOf(source);
  if (text.isEmpty() || isReadOnly()) return;
  // The typed-in path: the change handler runs once, and the paste is one undo step.
  QTextCursor c = textCursor();
  c.insertText(text);
  setTextCursor(c);
  ensureCursorVisible();
}

void TextArea::SelectAll() { selectAll(); }

void TextArea::SetFocus() { setFocus(Qt::OtherFocusReason); }

void TextArea::SetTextFont(const QString& name) {
  fontName_ = name;
  ApplyFont();
}

void TextArea::SetTextSize(double points) {
  fontSize_ = points;
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
    speller_ = new SpellHighlighter(document(), dictionary);
  }
  if (speller_) speller_->SetEnabled(on);
}

void TextArea::OnDocumentChanged() {
  if (SpellHighlighter::Busy(document())) return;
  cacheValid_ = false;
  emit TextChange();
}
