#pragma once
// Spell checking of a text document with a Hunspell dictionary: misspelt words are underlined.
// Without a dictionary nothing is ever marked.
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringView>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "platform/desktop/spell_dictionary.h"
#include "platform/desktop/underlines.h"
#include "platform/desktop/word_reading.h"

class QTextBlock;
class QTextDocument;
class QTimer;

// Underlines the misspelt words of a document, as formats of the lines' layouts (the document's
// text and its undo history stay as they are). The words are those the reading finds; without a
// complete reading, as without a dictionary, nothing is marked.
//
// An edit re-checks, inside that edit's own change signal, only the words it touched (see
// RecheckEdit); a line is re-checked whole when the edit joined or split lines, and a short line
// always is.
//
// Changing formats makes Qt report a change of the document's contents (contentsChange and
// contentsChanged, hence QTextEdit::textChanged) although no character changed. Every pass over
// the whole document (when the highlighter is made, switched on or off, or removed) runs with
// Busy() true: the text control must ignore the change signals it gets while its highlighter is
// busy. The re-check of an edit adds no change signal of its own.
//
// A change of many lines at once (a song opened, a command that rewrites the whole song, the
// checking switched on over a long song) checks at once only the lines on screen, as the
// control tells them (SetShownLines); the rest are checked in short slices from the event loop
// when it is idle, and any of them that comes on screen first is checked as it does (the control
// tells, VisiblePartChanged).
//
// Qt's text engine pays for every format range of a line each time it lays the line out or draws
// it, which it does several times for each keystroke; on a long line with many misspelt words that
// would cost more than the keystroke itself. So a long line the control shows part of (as it tells,
// SetVisiblePart) carries on its layout only the underlines of the words near that part (an
// UnderlineWindow); the rest are kept (Checked) and put on when the control tells that the part
// it shows changed.
class SpellHighlighter : public QObject {
  Q_OBJECT
 public:
  SpellHighlighter(QTextDocument* doc, const WordReading& reading,
                   std::shared_ptr<SpellDictionary> dictionary = SpellDictionary::EnUs());
  ~SpellHighlighter() override;

  QTextDocument* document() const { return doc_; }
  bool Available() const { return dictionary_ != nullptr; }
  bool Enabled() const { return enabled_; }
  // Switches the checking on or off and marks or unmarks the whole document at once.
  void SetEnabled(bool on);
  // Whether a pass of the checker's own is changing the document's formats.
  bool Busy() const { return inPass_; }

  // The block numbers of the first and the last line the control may show, both included.
  using ShownLines = std::function<std::pair<int, int>()>;
  void SetShownLines(ShownLines shown);
  // The visible part of a line: the characters of it that the control shows, as offsets
  // [from, to) in the line; nothing when it shows none of it or cannot tell without laying the line
  // out.
  using VisiblePart = std::function<std::optional<std::pair<int, int>>(const QTextBlock& block)>;
  void SetVisiblePart(VisiblePart part);
  // The characters of a line as the control keeps them, handed over without a copy (valid until
  // the document changes again); nothing when it keeps none in step. A line is read from the
  // document when it is not handed over.
  using LineText = std::function<std::optional<QStringView>(const QTextBlock& block)>;
  void SetLineText(LineText text);
  // Told of each line as the checker gives it other formats (so that the control can repaint an
  // edited line alone when that line is all the checker reformatted in the edit).
  using Reformatted = std::function<void(const QTextBlock& block)>;
  void SetReformatted(Reformatted told);
  // The control's notice that what it shows changed (it scrolled, was resized or laid out anew,
  // or shows another text): checks the lines on screen that wait for their check, and underlines
  // the words of a long line whose part on screen moved.
  void VisiblePartChanged();
  // Whether lines wait for their check, which the event loop gives them when it is idle.
  bool Pending() const { return sweeping_; }

  // The misspelt words of one line of text.
  Underlines Misspelt(QStringView line);
  // The misspelt words of a line of the document as last checked, underlined or not.
  Underlines Checked(const QTextBlock& block) const;

 private:
  void OnContentsChange(int from, int removed, int added);
  // Every line, as one pass: at once when switched off or for a short document, else the lines
  // on screen at once and the rest when idle.
  void CheckAll();
  // Runs work as one pass: Busy() meanwhile, one edit block, no re-check of its own changes.
  void InPass(const std::function<void()>& work);
  // The waiting lines on screen, inside a pass or a change signal.
  void CheckShownLines();
  // Leaves the lines from block on, up to (not including) position end, for later.
  void Defer(QTextBlock block, int end);
  // Checks waiting lines from where the last slice stopped, for about budgetMs.
  void Sweep(int budgetMs);
  // One line whole.
  void CheckLine(const QTextBlock& block);
  // The words an edit inside one long line touched; false when the line must be checked whole.
  bool CheckEdit(const QTextBlock& block, int at, int removed, int added);
  // Puts the underlines on a line's layout, leaving its other formats; false when they were there.
  bool SetUnderlines(const QTextBlock& block, const Underlines& words);
  // Underlines the words of a long line that reach into its window near what is shown.
  void PutNear(const QTextBlock& block);
  // The part of a long line the control shows, when it can tell.
  std::optional<std::pair<int, int>> Shown(const QTextBlock& block) const;
  // Whether a long line on screen shows words whose underlines are not on its layout.
  bool ShownWithoutUnderlines() const;

  QPointer<QTextDocument> doc_;
  WordReading reading_;
  std::shared_ptr<SpellDictionary> dictionary_;
  bool enabled_ = true;
  bool inPass_ = false;
  int blockCount_ = 0;
  ShownLines shown_;
  VisiblePart visiblePart_;
  LineText lineText_;
  Reformatted reformatted_;
  // Waiting lines lie only at or after this position while sweeping_.
  bool sweeping_ = false;
  int resume_ = 0;
  QTimer* sweep_ = nullptr;
};
