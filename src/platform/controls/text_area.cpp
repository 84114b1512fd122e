#include "platform/controls/text_area.h"

#include "platform/spell_check.h"

#include <QFontDatabase>
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
