// A keystroke in one very long line (the generated song made one line: 100 kB, 1 MB and 3 MB with a
// word misspelt now and then, as in the example song; 100 kB and 1 MB with every word misspelt, as
// in a song in a language the dictionary does not know), end to end in
// the real main window as the application starts it: an "x" typed at the end of a word in the
// middle of the line, or a Backspace taking it back, as a key event delivered to the focused song
// text, timed until everything a user waits for is done: the text area and the preview have
// repainted, the spell checker has run (its deferred work and every timer of the window
// included) and the window system has received what was painted. Spell checking off and on are
// measured in the same run, by turns; each figure is the median over the keystrokes, in wall time
// and in the processor time of the application's process (which the load of other processes
// disturbs less).
//
// The figures are taken twice, on an X server and offscreen (bench_platforms.h).
// Usage: bench_keystroke_long_line [SONG]  (the song file given is made one line and measured as
// it is, with a few keystrokes: the quick run on a tiny song)
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/startup.h"
#include "bench_common.h"
#include "bench_platforms.h"
#include "mainwindow/window1.h"
#include "platform/desktop/controls/canvas.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/spell_check.h"
#include "shell/menu_bar1.h"
#include "tools/reflow.h"

namespace {

// Set in the measuring process.
constexpr const char* kChild = "HARMONOTE_BENCH_LONG_LINE_RUN";

struct Line {
  QString label;
  QString text;
  int keys;  // keystrokes measured with spell checking off, and as many with it on
};

// One line of about chars characters: the generated song made one line, cut after a word.
QString GeneratedLine(const QString& oneLine, int chars) {
  if (oneLine.size() <= chars) return oneLine;
  return oneLine.left(oneLine.lastIndexOf(u' ', chars));
}

// The generated words are all in the dictionary, a real song's are not (names, contractions, words
// sung apart): a word misspelt every `every` words (150 is about as often as in the example song;
// 1, every word, is a song in a language the dictionary does not know).
QString WithMisspellings(const QString& line, int every) {
  QStringList words = line.split(u' ');
  for (qsizetype i = every / 2; i < words.size(); i += every) {
    QString& w = words[i];
    if (!w.isEmpty() && std::all_of(w.cbegin(), w.cend(), [](QChar c) { return c.isLetter(); })) w += u'q';
  }
  return words.join(u' ');
}

std::vector<Line> LinesToMeasure(const QString& songFile) {
  if (!songFile.isEmpty()) {
    const QByteArray path = QFile::encodeName(songFile);
    return {{songFile + QStringLiteral(" made one line"), RemoveLineFeeds(bench::LoadSongText(path.constData())), 4}};
  }
  const QString all = RemoveLineFeeds(bench::GenerateSong(80000));
  const QString some = WithMisspellings(all, 150), every = WithMisspellings(GeneratedLine(all, 1000 * 1000), 1);
  return {{QStringLiteral("100 kB"), GeneratedLine(some, 100 * 1000), 12},
          {QStringLiteral("1 MB"), GeneratedLine(some, 1000 * 1000), 8},
          {QStringLiteral("3 MB"), GeneratedLine(some, 3 * 1000 * 1000), 6},
          {QStringLiteral("100 kB, every word misspelt"), GeneratedLine(every, 100 * 1000), 12},
          {QStringLiteral("1 MB, every word misspelt"), GeneratedLine(every, 1000 * 1000), 4}};
}

// Counts the paints of the song text and of the preview.
class PaintCount : public QObject {
 public:
  PaintCount(QWidget* text, QWidget* preview) : text_(text), preview_(preview) {}
  int text = 0, preview = 0;

 protected:
  bool eventFilter(QObject* obj, QEvent* e) override {
    if (e->type() == QEvent::Paint) {
      if (obj == text_) ++text;
      if (obj == preview_) ++preview;
    }
    return false;
  }

 private:
  QWidget* text_;
  QWidget* preview_;
};

// Whether a timer of the window (the spell checker's among them) is still to fire once.
bool TimerWaiting(const QWidget* window) {
  const QList<QTimer*> timers = window->findChildren<QTimer*>();
  return std::any_of(timers.cbegin(), timers.cend(),
                     [](const QTimer* t) { return t->isActive() && t->isSingleShot(); });
}

// Runs the event loop until nothing is left to do: no posted event (the repaints among them), no
// timer due or waiting to fire once, no line waiting for its spell check; then a round trip to the
// window system, and the same once more for whatever that brought.
void Settle(const Window1* w) {
  QAbstractEventDispatcher* events = QAbstractEventDispatcher::instance();
  QElapsedTimer clock;
  clock.start();
  for (int round = 0; round < 2; ++round) {
    for (;;) {
      while (events->processEvents(QEventLoop::AllEvents) && clock.elapsed() < 60000) {
      }
      const SpellHighlighter* speller = w->txtSong()->Speller();
      const bool waiting = (speller && speller->Pending()) || TimerWaiting(w);
      if (!waiting || clock.elapsed() >= 60000) break;
      events->processEvents(QEventLoop::WaitForMoreEvents);
    }
    if (round == 0) QGuiApplication::sync();
  }
}

// The processor time of this process (all its threads), in milliseconds.
double ProcessCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

using bench::Median;

// The key as the window system hands it over: a press and a release, to the window's focus.
void Press(Window1* w, Qt::Key key, const QString& text) {
  QWidget* target = w->focusWidget();
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(target, &release);
}

// Where the keystrokes go: the end of the word nearest the middle of the line.
int MiddleOfLine(const QString& line) {
  const qsizetype blank = line.indexOf(u' ', line.size() / 2);
  return static_cast<int>(blank < 0 ? line.size() : blank);
}

// keys keystrokes, by turns an "x" and a Backspace, each timed until the window has settled.
// Counts in unpainted the keystrokes after which the text or the preview was not repainted.
std::vector<double> Keystrokes(Window1* w, PaintCount& paints, int keys, int& unpainted, std::vector<double>& cpuMs) {
  std::vector<double> ms;
  for (int i = 0; i < keys; ++i) {
    const int text = paints.text, preview = paints.preview;
    const double cpu = ProcessCpuMs();
    QElapsedTimer clock;
    clock.start();
    if (i % 2 == 0)
      Press(w, Qt::Key_X, QStringLiteral("x"));
    else
      Press(w, Qt::Key_Backspace, QString());
    Settle(w);
    ms.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    cpuMs.push_back(ProcessCpuMs() - cpu);
    if (paints.text == text || paints.preview == preview) ++unpainted;
  }
  return ms;
}

void Measure(Window1* w, const Line& line) {
  TextArea* song = w->txtSong();
  PaintCount paints(song->viewport(), w->Canvas1());
  qApp->installEventFilter(&paints);
  song->SetText(line.text);
  const int at = MiddleOfLine(line.text);
  std::vector<double> ms[2], cpu[2];
  int unpainted = 0;
  // By turns, so that a change in the machine's load falls on both; an even number of keystrokes
  // in each turn leaves the line as it was.
  const int turns = 2, perTurn = std::max(2, (line.keys / turns + 1) & ~1);
  for (int turn = 0; turn < turns; ++turn) {
    for (const bool on : {false, true}) {
      song->SetAutomaticallyCheckSpelling(on);
      song->SetFocus();
      song->SetSelStart(at);
      Settle(w);
      if (turn == 0) {
        // A first pair not counted: the first keystrokes pay for what is kept after them.
        std::vector<double> notCounted;
        Keystrokes(w, paints, 2, unpainted, notCounted);
      }
      std::vector<double> t = Keystrokes(w, paints, perTurn, unpainted, cpu[on]);
      ms[on].insert(ms[on].end(), t.begin(), t.end());
    }
  }
  qApp->removeEventFilter(&paints);
  song->SetAutomaticallyCheckSpelling(true);
  Settle(w);
  const QTextBlock block = song->document()->firstBlock();
  qsizetype underlined = 0;
  for (const QTextLayout::FormatRange& r : block.layout()->formats())
    underlined += r.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline;
  std::printf(
      "-- %s: %lld characters, %lld misspelt words (%lld underlined on the line's layout), %zu keystrokes"
      " each way\n",
      line.label.toLocal8Bit().constData(), static_cast<long long>(line.text.size()),
      static_cast<long long>(song->Speller() ? song->Speller()->Checked(block).size() : 0),
      static_cast<long long>(underlined), ms[0].size());
  std::printf("  %-28s %12s %12s %9s\n", "median per keystroke, ms", "spell off", "spell on", "on - off");
  const auto row = [](const char* what, const std::vector<double>& off, const std::vector<double>& on) {
    const double a = Median(off), b = Median(on);
    std::printf("  %-28s %12.1f %12.1f %+8.1f%%\n", what, a, b, 100.0 * (b - a) / a);
  };
  row("wall time", ms[0], ms[1]);
  row("processor time (process)", cpu[0], cpu[1]);
  if (unpainted > 0) std::printf("  (%d keystrokes repainted the text or the preview not at all)\n", unpainted);
  if (song->Text() != line.text) std::printf("  (the keystrokes did not leave the line as it was)\n");
  std::fflush(stdout);
}

// The measuring process: the application's own start-up, its main window as it makes it, the
// lines measured from its event loop.
int Child(char* program, const QString& songFile) {
  char* args[] = {program, nullptr};
  return _Main(
      1, args,
      [songFile] {
        Window1* w = Window1::Instance();
        QTimer::singleShot(0, qApp, [w, songFile] {
          std::printf("%s platform, window %s\n", QGuiApplication::platformName().toLocal8Bit().constData(),
                      w->isActiveWindow() ? "active" : "not active");
          if (!SpellDictionary::EnUs()) std::printf("(no en_US dictionary: spell checking marks nothing)\n");
          Settle(w);
          for (const Line& line : LinesToMeasure(songFile)) Measure(w, line);
          // Unsaved as it is: leave without the save prompt.
          std::fflush(stdout);
          std::_Exit(0);
        });
      },
      MakeApplicationMenuBar);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsSet(kChild)) return Child(argv[0], argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
  // The settings the application keeps go to a folder of this run.
  QTemporaryDir home;
  QDir(home.path()).mkdir(QStringLiteral("run"));
  QFile::setPermissions(home.path() + QStringLiteral("/run"),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  QProcessEnvironment env;
  env.insert(QStringLiteral("HOME"), home.path());
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/config"));
  env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path() + QStringLiteral("/run"));
  return bench::RunOnXAndOffscreen(argc, argv, kChild, env);
}
