#pragma once
// Spell checking of a text document with a Hunspell dictionary: misspelt words are underlined.
// Without a dictionary (or a build without Hunspell) nothing is ever marked.
#include <QHash>
#include <QString>
#include <QSyntaxHighlighter>
#include <memory>

class SpellDictionary {
 public:
  ~SpellDictionary();
  // The system's "en_US" dictionary (/usr/share/hunspell and the usual other places); nullptr
  // when it is not installed.
  static std::shared_ptr<SpellDictionary> EnUs();
  // A dictionary from its two files; nullptr when they cannot be read.
  static std::shared_ptr<SpellDictionary> Load(const QString& affPath, const QString& dicPath);

  bool IsCorrect(const QString& word);

 private:
  struct Impl;
  explicit SpellDictionary(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
  QHash<QString, bool> known_;  // lyrics repeat their words; each is looked up once
};

// Underlines the misspelt words of a document. Chord names between "[" and "]" and words with
// digits are not checked.
//
// Changing formats makes Qt report a change of the document's contents (contentsChange and
// contentsChanged, hence QTextEdit::textChanged) although no character changed. Every pass over
// the whole document runs with Busy(document) true, whoever started it (also the one made while the
// highlighter is being constructed): a text control must ignore the change signals it gets while
// Busy(its document) is true. The re-check of the lines an edit touched happens
// inside that edit's own change signal and adds none.
class SpellHighlighter : public QSyntaxHighlighter {
  Q_OBJECT
 public:
  explicit SpellHighlighter(QTextDocument* doc, std::shared_ptr<SpellDictionary> dictionary = SpellDictionary::EnUs());

  bool Available() const { return dictionary_ != nullptr; }
  bool Enabled() const { return enabled_; }
  // Switches the checking on or off and marks or unmarks the whole document at once.
  void SetEnabled(bool on);
  bool Busy() const;
  static bool Busy(const QTextDocument* doc);

  // The misspelt words of one line of text, as (start, length) pairs, 0-based.
  QList<QPair<int, int>> Misspelt(const QString& line);

 protected:
  void highlightBlock(const QString& text) override;
  // Qt's own deferred passes (after attaching to a document) arrive as queued calls: they run
  // Busy too.
  bool event(QEvent* e) override;

 private:
  void rehighlightTracked();

  std::shared_ptr<SpellDictionary> dictionary_;
  class Pass;
  bool enabled_ = true;
};
