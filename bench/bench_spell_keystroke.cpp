// One keystroke in the middle of a song made one line by Remove Line Feeds (generated songs of
// 8,000 and 100,000 lines, or the song file given), with spell checking on and off. Every figure
// is per key (an "x" typed at the end of a word and taken back), in processor time.
//  - "document": the keystroke as two edits of a document whose layout does nothing, so that
//    what the spell checker adds to a keystroke is measured alone.
//  - "text area": the song's own text area (size, font and scroll bars as in the main window),
//    the "x" and a Backspace sent as key events, each followed by the repaint. With spell checking
//    off this is the text area's own cost: re-laying out the one long line. Its on - off difference
//    drowns in that cost on long lines, so the checker's own time inside the keystroke is given too.
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QKeyEvent>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <ctime>
#include <memory>
#include <vector>

#include "bench_common.h"
#include "mainwindow/song_spelling.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/spell_check.h"
#include "tools/reflow.h"

namespace {

// Keeps the document's change signals (they are sent only to a document with a layout) and lays
// out nothing.
class NoLayout : public QAbstractTextDocumentLayout {
 public:
  using QAbstractTextDocumentLayout::QAbstractTextDocumentLayout;
  void draw(QPainter*, const PaintContext&) override {}
  int hitTest(const QPointF&, Qt::HitTestAccuracy) const override { return -1; }
  int pageCount() const override { return 1; }
  QSizeF documentSize() const override { return {}; }
  QRectF frameBoundingRect(QTextFrame*) const override { return {}; }
  QRectF blockBoundingRect(const QTextBlock&) const override { return {}; }

 protected:
  void documentChanged(int, int, int) override {}
};

// The processor time of this thread, in milliseconds: everything here runs on it, and other
// processes competing for the machine do not count in it as they do in wall time.
double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

using bench::Median;

// Median processor time of fn over as many runs as fit in about budgetMs (at least 5, at most 201).
double AdaptiveMedianMs(double budgetMs, const std::function<void()>& fn) {
  double a = CpuMs();
  fn();
  const double once = CpuMs() - a;
  const int runs = std::clamp(static_cast<int>(budgetMs / std::max(once, 0.001)), 5, 201) | 1;
  std::vector<double> t;
  for (int i = 0; i < runs; ++i) {
    a = CpuMs();
    fn();
    t.push_back(CpuMs() - a);
  }
  return Median(t);
}

// Where the keystroke goes: the end of the word nearest the middle of the line.
int MiddleOfLine(const QString& line) {
  const qsizetype blank = line.indexOf(QLatin1Char(' '), line.size() / 2);
  return static_cast<int>(blank < 0 ? line.size() / 2 : blank);
}

// A row as bench::Report prints it, to the tenth of a microsecond.
void Row(const char* what, double ms) {
  std::printf("  %-50s median %10.4f ms\n", what, ms);
  std::fflush(stdout);
}

void MeasureDocument(const QString& line, int at) {
  // Each edit is an edit block of its own: outside one, Qt's cursor finds the line it stands in
  // after every move, which on a line never laid out means reading the whole line.
  auto keystroke = [at](QTextDocument& doc) {
    QTextCursor c(&doc);
    c.beginEditBlock();
    c.setPosition(at);
    c.insertText(QStringLiteral("x"));
    c.endEditBlock();
    c.beginEditBlock();
    c.setPosition(at);
    c.setPosition(at + 1, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    c.endEditBlock();
  };
  double ms[2] = {0, 0};
  for (bool on : {false, true}) {
    QTextDocument doc;
    doc.setDocumentLayout(new NoLayout(&doc));
    doc.setPlainText(line);
    std::unique_ptr<SpellHighlighter> speller;
    if (on) speller = std::make_unique<SpellHighlighter>(&doc, SongWordReading());
    ms[on] = AdaptiveMedianMs(3000, [&] { keystroke(doc); }) / 2;
  }
  Row("document: keystroke, spell checking off", ms[0]);
  Row("document: keystroke, spell checking on", ms[1]);
  Row("document: spell-check cost (on - off)", ms[1] - ms[0]);
}

void SetUp(TextArea& area, const QString& line, int at) {
  area.resize(376, 350);
  area.SetTextFont(QStringLiteral("System"));
  area.SetTextSize(12);
  area.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  area.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  area.show();
  area.SetText(line);
  area.SetSelStart(at);
  QCoreApplication::processEvents();
}

// An "x" typed and taken back with Backspace, each key followed by the repaint; milliseconds for
// the two keys.
double TypeAndTakeBack(TextArea& area) {
  auto key = [&](Qt::Key k, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
    QCoreApplication::sendEvent(&area, &press);
    QCoreApplication::processEvents();
  };
  const double a = CpuMs();
  key(Qt::Key_X, QStringLiteral("x"));
  key(Qt::Key_Backspace, QString());
  return CpuMs() - a;
}

// Two text areas with the same line, spell checking off in one and on in the other, typed in by
// turns so that a change in the machine's load falls on both. The spell checker's own share of a
// keystroke is also timed from inside: from the first to the last handler of the document's
// change signal, which the checker's handler sits between.
void MeasureTextArea(const QString& line, int at) {
  TextArea off, on;
  SetUp(off, line, at);
  SetUp(on, line, at);
  double entered = 0;
  double checkerMs = 0;
  QObject::connect(on.document(), &QTextDocument::contentsChange, [&] { entered = CpuMs(); });
  on.SetWordReading(SongWordReading());
  on.SetAutomaticallyCheckSpelling(true);
  QObject::connect(on.document(), &QTextDocument::contentsChange, [&] { checkerMs += CpuMs() - entered; });
  QCoreApplication::processEvents();
  const double once = TypeAndTakeBack(off) + TypeAndTakeBack(on);
  const int runs = std::clamp(static_cast<int>(60000 / std::max(once, 0.001)), 7, 101) | 1;
  std::vector<double> tOff, tOn, tChecker;
  for (int i = 0; i < runs; ++i) {
    tOff.push_back(TypeAndTakeBack(off) / 2);
    const double before = checkerMs;
    tOn.push_back(TypeAndTakeBack(on) / 2);
    tChecker.push_back((checkerMs - before) / 2);
  }
  if (off.Text() != line || on.Text() != line) std::printf("  (the keystrokes did not leave the text as it was)\n");
  Row("text area: keystroke, spell off (own layout)", Median(tOff));
  Row("text area: keystroke, spell checking on", Median(tOn));
  Row("text area: spell-check cost (on - off)", Median(tOn) - Median(tOff));
  Row("text area: the spell checker's own time", Median(tChecker));
}

void Measure(const char* name, const QString& song) {
  const QString line = RemoveLineFeeds(song);
  const int at = MiddleOfLine(line);
  std::printf("-- %s made one line: %lld characters, keystroke at %d\n", name, static_cast<long long>(line.size()), at);
  MeasureDocument(line, at);
  MeasureTextArea(line, at);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (!SpellDictionary::EnUs()) std::printf("(no en_US dictionary: spell checking marks nothing)\n");
  bench::ForEachSong(argc, argv, {8000, 100000}, Measure);
  return 0;
}
