#pragma once
// The song text area's document layout: Qt's plain-text layout, but for one case. When the formats
// of a line change inside an edit of that line (the spell checker underlines the line again in the
// edit's own change signal), the document reports the change as reaching over the whole line, with
// its length counted in what was removed and in what was added, and Qt's layout takes that for a
// change of the lines after it too: it lays them out again and repaints the whole view. Told which
// lines were given other formats, this layout lays out and repaints such an edit as it would the
// edit alone: its line, laid out once.
#include <QPlainTextDocumentLayout>
#include <optional>

class QTextBlock;
class QTextDocument;

class TextAreaLayout : public QPlainTextDocumentLayout {
  Q_OBJECT
 public:
  explicit TextAreaLayout(QTextDocument* doc);

  // Whoever gives a line other formats says so here; inside a change signal of the document, every
  // such line must be told.
  void Reformatted(const QTextBlock& block);

 protected:
  void documentChanged(int from, int removed, int added) override;

 private:
  struct Change {
    int from, removed, added;
  };
  void OnContentsChange(int from, int removed, int added);
  // Whether Qt's layout would lay out the change as one line of its own, and which one.
  std::optional<int> OneLine(const Change& change) const;
  // Lays out the edited line once and repaints it alone, or the whole view when the line now takes
  // another number of rows.
  void LayOutAlone(const QTextBlock& line);

  // The change as the document reported it in its signal, before anything widened it.
  std::optional<Change> edit_;
  // The line given other formats since the document was last laid out: -1 none, -2 more than one.
  int reformatted_ = -1;
  // The document's lines when it was last laid out.
  int lines_ = 1;
};
