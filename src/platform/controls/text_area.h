#pragma once
// The song text area: a plain multi-line text editor over QPlainTextEdit with the text model the
// program works in.
//  - Text() reads the text with CR (0x0D) line ends and keeps every character as typed,
//    non-breaking spaces included (the document's raw text, its block separators mapped to CR).
//  - Positions are the document's: SelStart is a 0-based character offset, a line end counts one.
//  - TextChange fires once for every change of the text, by the user or by code; setting the text
//    from code fires it exactly once, also when the new text equals the old one. The spell
//    checker's passes, which only change formats, fire nothing.
#include <QPlainTextEdit>
#include <QString>

class SpellHighlighter;

class TextArea : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit TextArea(QWidget* parent = nullptr);

  QString Text() const;
  void SetText(const QString& text);

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
  void SetTextSize(double points);

  // Misspelt words underlined while on (nothing is marked without a dictionary).
  bool AutomaticallyCheckSpelling() const { return spellCheck_; }
  void SetAutomaticallyCheckSpelling(bool on);

  // The program's text for a run of document characters: block and line separators become CR.
  static QString FromDocumentText(QString raw);

 signals:
  void TextChange();

 private:
  void OnDocumentChanged();
  void ApplyFont();

  mutable QString cache_;
  mutable bool cacheValid_ = false;
  QString fontName_ = QStringLiteral("System");
  double fontSize_ = 12;
  bool spellCheck_ = false;
  SpellHighlighter* speller_ = nullptr;
};
