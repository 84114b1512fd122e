#pragma once
// The song text area: a plain multi-line text editor over QPlainTextEdit with the text model the
// program works in.
//  - Text() reads the text with CR (0x0D) line ends and keeps every character as typed,
//    non-breaking spaces included (the document's raw text, its block separators mapped to CR).
//    The text read is kept and each small edit of the document is spliced into it, so that a
//    keystroke does not read a long song again; a large change is read afresh when asked for,
//    and so is a text read that another holds (a splice would copy it whole).
//  - TakeEdits tells the small edits since it was last asked, so that a copy of the text kept
//    elsewhere follows a keystroke at what the keystroke changed.
//  - Positions are the document's: SelStart is a 0-based character offset, a line end counts one.
//  - TextChange fires once for every change of the text, by the user or by code; setting or
//    replacing the text from code fires it exactly once, also when the new text equals the old
//    one. The spell checker's passes, which only change formats, fire nothing. An undo or redo is
//    a change like typing.
//  - The undo history: SetText starts a fresh one (a song opened, New, an import); ReplaceText
//    rewrites the whole text as one step of it, after the typing before it.
//  - Pasting and dropping insert plain text only, and nothing from a source without text (Qt 6.4
//    dereferences the missing text of an empty clipboard there and ends the process).
//  - A NUL never enters the text, however it comes (typing, paste, drop, from code): it is dropped
//    and the rest kept.
#include <QPlainTextEdit>
#include <QSize>
#include <QString>
#include <QStringView>
#include <optional>
#include <utility>
#include <vector>

#include "platform/core/text_edit.h"
#include "platform/desktop/word_reading.h"

class QMimeData;
class QTextBlock;
class SpellHighlighter;
class TextAreaLayout;

class TextArea : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit TextArea(QWidget* parent = nullptr);

  QString Text() const;
  // The text from code, with a fresh undo history; the caret goes to the start. A text handed
  // over (moved in) becomes the text read back in place: beside the document's own, the area
  // keeps no other copy of it.
  void SetText(QString text);
  // The whole text rewritten by a command: one undo step (Ctrl+Z brings back the text before it),
  // none when the text read back would be the same. The caret stays where it was, within the new
  // text.
  void ReplaceText(QString text);

  // The edits of the text since the last call, in order, each as Text() reads it: applied in turn
  // to the text read then, they give the text read now. Nothing when a change since was no small
  // edit (a text set or replaced, a large paste): then the text is to be read whole.
  std::optional<std::vector<TextEdit>> TakeEdits();

  int SelStart() const;
  // Places the caret at offset (clamped to the text), nothing selected.
  void SetSelStart(int offset);
  int SelLength() const;
  // Selects length characters from SelStart (clamped to the text).
  void SetSelLength(int length);
  QString SelText() const;
  // Replaces the selection, or inserts at the caret; the caret ends after the inserted text.
  void SetSelText(const QString& text);
  void SelectAll();
  void SetFocus();

  QString TextFont() const { return fontName_; }
  // "System" is the platform's general font; any other name is asked for as a family.
  void SetTextFont(const QString& name);
  // The text's size in pixels; 0 or less keeps the size of the font named.
  void SetTextSize(double pixels);

  // How the text splits into words for the spell checker. The checker takes the reading set when
  // checking is first switched on (a later one is not used), and marks nothing without one.
  void SetWordReading(const WordReading& reading) { wordReading_ = reading; }
  // Misspelt words underlined while on (nothing is marked without a dictionary).
  bool AutomaticallyCheckSpelling() const { return spellCheck_; }
  void SetAutomaticallyCheckSpelling(bool on);
  // The spell checker, once checking was first switched on (nullptr before).
  SpellHighlighter* Speller() const { return speller_; }

  // The program's text for a run of document characters: block and line separators become CR.
  static QString FromDocumentText(QString raw);
  // What Text() reads back after the given text is set: a CR LF pair is one line end, a NUL is
  // dropped. Made in place from a text handed over.
  static QString ReadBack(QString text);

 signals:
  void TextChange();

 protected:
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void OnDocumentChanged();
  // Keeps the text read in step with an edit of the document's characters [from, from + added),
  // which took the place of removed characters.
  void OnContentsChange(int from, int removed, int added);
  void ForgetEdits();
  void ApplyFont();
  // What the view shows, as far as telling when it changed goes: its first line and how far it is
  // scrolled into it, its size, and how the text is cut into lines and rows.
  struct View {
    int top = -1;
    qreal offset = 0;
    QSize size;
    int lines = 0, rows = 0;
    bool operator==(const View&) const = default;
  };
  View Shown() const;
  // Tells the spell checker when the part of the text on screen changed, and always when the
  // text was set or replaced.
  void NoticeVisiblePart(bool newText = false);
  // The characters of block on screen, as offsets [from, to) in it; nothing when none are, or when
  // telling would mean laying out a line.
  std::optional<std::pair<int, int>> VisiblePartOf(const QTextBlock& block) const;
  // The characters of block in the text read, while that is in step with the document.
  std::optional<QStringView> KeptLine(const QTextBlock& block) const;

  // The edits TakeEdits tells, while they are known.
  std::vector<TextEdit> edits_;
  bool editsKnown_ = false;
  // The document's length after the last change seen.
  qsizetype length_ = 0;
  mutable QString cache_;
  mutable bool cacheValid_ = false;
  // While the text is set or replaced, what the document reads as once it is; while a paste
  // lands, the text read is read at once when the change does not splice in.
  const QString* coming_ = nullptr;
  bool readAtOnce_ = false;
  QString fontName_ = QStringLiteral("System");
  double fontSize_ = 12;
  bool spellCheck_ = false;
  WordReading wordReading_;
  SpellHighlighter* speller_ = nullptr;
  TextAreaLayout* layout_ = nullptr;
  bool makingSpeller_ = false;
  View shown_;
};
