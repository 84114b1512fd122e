// One typed character end to end, as the user feels it: a key press and its release sent to the
// focused song text area of the real main window (built and shown as the application builds it),
// timed from the press until the text area and the preview have both painted again, the event
// loop has nothing left to do (posted events and 0 ms timers included: the text area's repaint
// and the preview's come from there) and the window system has answered a round trip, so has
// drawn what it was sent. Beside it, in the same run and by turns, the same key in a bare
// QPlainTextEdit of the song text area's size and font holding the same text: what any Qt editor
// costs. Each figure is given in wall time and in this thread's processor time (which other
// processes on the machine disturb less, and which leaves out the window system's own work).
//
// Each keystroke is an "x" typed at the end of a word of a line of lyrics, on the page the
// preview shows, then a Backspace that takes it back; both are timed, as two rows. The caret
// stands near the top of the song, then near its end, so that a cost that grows with the part
// of the song before or after the caret shows. The window is measured with spell checking on, as
// a user has it, then off. The caret does not blink (it would paint at its own times). The spell
// checker's idle sweep over the whole song (started when the song is set or checking is switched
// on, never by a keystroke inside one line) is run to its end before the first keystroke; should
// a keystroke leave lines for it, its time is given apart, and a row says how many keystrokes did.
//
// Without a song file the generated songs of 8,000 and 32,000 lines are measured: a keystroke
// must cost no more in the longer one. The measurements run twice, on an X server and offscreen
// (bench_platforms.h).
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "app/module1.h"
#include "bench_common.h"
#include "bench_platforms.h"
#include "bench_window.h"
#include "mainwindow/window1.h"
#include "platform/desktop/controls/canvas.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/spell_check.h"
#include "sheet/pages.h"

namespace {

const char* const kChildRun = "HARMONOTE_BENCH_KEYSTROKE_RUN";

using Clock = std::chrono::steady_clock;

// Counts the paint events a widget gets.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
  int count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++count;
    return false;
  }
};

// The processor time of this thread in milliseconds: less disturbed than wall time by other
// processes on the machine, and blind to the window system's own work.
double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

struct Times {
  std::vector<double> wall, cpu;
};

struct Editor {
  const char* name;
  QWidget* keyTarget;                 // where the key goes: the focused text area
  std::vector<PaintCounter*> paints;  // every one of them must have painted
  Times typed, erased;
  int deferredKeys = 0;
  std::vector<double> deferred;
};

// Sends one key (press and release) and runs the event loop until each watched widget has
// painted and nothing is left to do; its wall and processor time are added to times. False
// when a paint never came.
bool Key(Editor& e, Qt::Key key, const QString& text, Times* times) {
  std::vector<int> before;
  for (PaintCounter* p : e.paints) before.push_back(p->count);
  QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance();
  const auto a = Clock::now();
  const double cpu = CpuMs();
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(e.keyTarget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(e.keyTarget, &release);
  const auto allPainted = [&] {
    for (size_t i = 0; i < e.paints.size(); ++i)
      if (e.paints[i]->count == before[i]) return false;
    return true;
  };
  // Until both have painted, and then until a pass of the loop finds nothing to do; then once
  // more after a round trip to the window system, which has then drawn what it was sent.
  for (bool synced = false;;) {
    const bool did = loop->processEvents(QEventLoop::AllEvents);
    if (allPainted() && !did) {
      if (synced) break;
      QGuiApplication::sync();
      synced = true;
    }
    if (Clock::now() - a > std::chrono::seconds(5)) return false;
  }
  if (times) {
    times->wall.push_back(std::chrono::duration<double, std::milli>(Clock::now() - a).count());
    times->cpu.push_back(CpuMs() - cpu);
  }
  return true;
}

void Row(const char* what, std::vector<double> t) {
  if (t.empty()) return;
  std::sort(t.begin(), t.end());
  const auto at = [&](double q) { return t[static_cast<size_t>(q * static_cast<double>(t.size() - 1))]; };
  std::printf("    %-28s median %8.3f ms  (p10 %7.3f, p90 %7.3f, min %7.3f, max %7.3f; %zu keys)\n", what, at(0.5),
              at(0.1), at(0.9), t.front(), t.back(), t.size());
}

void Rows(const char* what, const Times& t) {
  Row((std::string(what) + ", wall").c_str(), t.wall);
  Row((std::string(what) + ", processor").c_str(), t.cpu);
}

using bench::Median;

// Where the keystrokes are typed: a line of the song as a share of its lines.
struct Place {
  const char* name;
  double at;
};
constexpr Place kPlaces[] = {{"near the top", 0.02}, {"near the end", 0.98}};

// The caret at the end of the first word of the first line of lyrics from the line at the share
// given on (a line with a blank that is no caption and no page break), that line scrolled into
// view.
void PlaceCaret(QPlainTextEdit* edit, double at) {
  QTextDocument* doc = edit->document();
  QTextBlock line = doc->findBlockByNumber(static_cast<int>(doc->blockCount() * at));
  const auto lyrics = [](const QString& t) {
    return t.contains(QLatin1Char(' ')) && !t.startsWith(QLatin1Char('{')) && !t.startsWith(QLatin1Char('+'));
  };
  for (QTextBlock b = line; b.isValid(); b = b.next()) {
    if (lyrics(b.text())) {
      line = b;
      break;
    }
  }
  QTextCursor c(line);
  const qsizetype blank = line.text().indexOf(QLatin1Char(' '));
  c.setPosition(line.position() + static_cast<int>(blank < 0 ? line.length() - 1 : blank));
  edit->setTextCursor(c);
  edit->centerCursor();
}

// Warm-up, then keystrokes by turns in each editor; the tiny songs of a smoke run are typed in
// as often. Prints the figures.
void TypeByTurns(Editor (&editors)[2], TextArea* area, const QString& song) {
  const int keys = song.size() > 20000 ? 201 : 21;
  bool failed = false;
  for (int i = -5; i < keys && !failed; ++i) {
    for (Editor& e : editors) {
      failed = !Key(e, Qt::Key_X, QStringLiteral("x"), i < 0 ? nullptr : &e.typed) ||
               !Key(e, Qt::Key_Backspace, QString(), i < 0 ? nullptr : &e.erased);
      if (i < 0) continue;
      // Work left for the spell checker's idle sweep is not part of the keystroke as timed.
      if (SpellHighlighter* speller = area->Speller(); &e == &editors[0] && speller && speller->Pending()) {
        ++e.deferredKeys;
        const auto a = Clock::now();
        bench::FinishSpellSweep(area);
        e.deferred.push_back(std::chrono::duration<double, std::milli>(Clock::now() - a).count());
      }
    }
  }
  if (failed) std::printf("  (a paint never came: the figures are incomplete)\n");
  if (area->Text() != TextArea::ReadBack(song)) std::printf("  (the keystrokes did not leave the text as it was)\n");
  for (Editor& e : editors) {
    std::printf("  %s\n", e.name);
    Rows("typed character", e.typed);
    Rows("Backspace", e.erased);
    if (e.deferredKeys) {
      std::printf("  keystrokes that left work for the idle spell sweep: %d\n", e.deferredKeys);
      Row("that sweep, run to its end", e.deferred);
    }
  }
  const auto ratio = [&](const std::vector<double> Times::*of) {
    return (Median(editors[0].typed.*of) + Median(editors[0].erased.*of)) /
           std::max(1e-9, Median(editors[1].typed.*of) + Median(editors[1].erased.*of));
  };
  std::printf("  main window / bare editor, both keys: wall %.2fx, processor %.2fx\n", ratio(&Times::wall),
              ratio(&Times::cpu));
  std::fflush(stdout);
}

// The caret placed in both editors, the preview showing the page typed on.
void PlaceCarets(Window1* w, QPlainTextEdit* bare, const Place& place) {
  TextArea* area = w->txtSong();
  PlaceCaret(area, place.at);
  PlaceCaret(bare, place.at);
  const QString before = area->Text().left(area->SelStart());
  w->State().SetPage(CountPages(before + QLatin1Char('x'), Module1::newPageSymbol));
  w->doDrawing();
  for (int i = 0; i < 20; ++i) {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
  }
}

void Measure(const char* name, const QString& song) {
  Window1* w = Window1::Instance();
  TextArea* area = w->txtSong();
  area->SetText(song);
  bench::FinishSpellSweep(area);

  QPlainTextEdit bare;
  bare.setWindowTitle(QStringLiteral("bare QPlainTextEdit"));
  bare.setFont(area->font());
  bare.setLineWrapMode(area->lineWrapMode());
  bare.setVerticalScrollBarPolicy(area->verticalScrollBarPolicy());
  bare.setHorizontalScrollBarPolicy(area->horizontalScrollBarPolicy());
  bare.resize(area->size());
  bare.setPlainText(song);
  bare.move(w->geometry().right() + 20, w->geometry().top());
  bare.show();

  PaintCounter areaPaints(area->viewport()), previewPaints(w->Canvas1()), barePaints(bare.viewport());
  Editor editors[] = {{"main window", area, {&areaPaints, &previewPaints}, {}, {}, 0, {}},
                      {"bare QPlainTextEdit", &bare, {&barePaints}, {}, {}, 0, {}}};
  // Settled: shown, exposed, laid out, painted.
  for (int i = 0; i < 20; ++i) {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
  }
  // The window system may take a while to hand the window the focus.
  for (int i = 0; i < 100 && QApplication::focusWidget() != area; ++i) {
    w->activateWindow();
    area->setFocus(Qt::OtherFocusReason);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  const char* const focus = QApplication::focusWidget() == area ? "" : " (the text area did not get the focus)";
  std::printf("-- %s: %lld characters, %d lines, %d pages%s\n", name, static_cast<long long>(song.size()),
              area->document()->blockCount(), w->TotalPages(), focus);

  for (const Place& place : kPlaces) {
    PlaceCarets(w, &bare, place);
    std::printf(" caret %s: line %d, page %lld\n", place.name, area->textCursor().blockNumber() + 1,
                static_cast<long long>(w->State().Page()));
    // With spell checking on, as a user has it, then off: what the checker adds to a keystroke.
    for (const bool spelling : {true, false}) {
      area->SetAutomaticallyCheckSpelling(spelling);
      QCoreApplication::processEvents();
      bench::FinishSpellSweep(area);
      for (Editor& e : editors) e.typed = e.erased = Times(), e.deferred.clear(), e.deferredKeys = 0;
      std::printf("  spell checking %s\n", spelling ? "on" : "off");
      TypeByTurns(editors, area, song);
    }
  }
  std::fflush(stdout);
  delete w;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsSet(kChildRun)) {
    return bench::RunWindowBench(argc, argv, [&](const QTemporaryDir&) {
      QApplication::setCursorFlashTime(0);
      std::printf("platform %s\n", QGuiApplication::platformName().toLocal8Bit().constData());
      bench::ForEachSong(argc, argv, {8000, 32000}, Measure);
    });
  }
  return bench::RunOnXAndOffscreen(argc, argv, kChildRun);
}
