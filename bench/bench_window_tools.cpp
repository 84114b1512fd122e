// Every text tool of the Edit menu through the real main window (shown, spell checking on, as a
// user has it), against the pure tool on the same text: the window's figure is the command from
// its menu handler until the window has settled (the result assigned as one undo step, the
// change handled, the preview redrawn, pending events processed) and the spell checker's idle
// sweep over the lines the command rewrote has run to its end, which a user waits for before
// every line shows its marks (its own figure is given too); the same with spell checking off
// shows what the checking of the result costs. Each run starts from the song set afresh,
// outside the timing. Given song files, each is measured whole; the chords-over-lyrics
// figure wants a song written that way (gen_song.py's OUT-over.txt).
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "app/ini_class.h"
#include "app/module1.h"
#include "app/resources_folder.h"
#include "bench_common.h"
#include "bench_window.h"
#include "mainwindow/window1.h"
#include "platform/desktop/controls/canvas.h"
#include "platform/desktop/controls/check_box.h"
#include "platform/desktop/controls/slider.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/controls/text_field.h"
#include "platform/desktop/picture_measure.h"
#include "shell/dialogs/frm_replace.h"
#include "shell/menu_bar1.h"
#include "tools/capitalise.h"
#include "tools/chord_conversion.h"
#include "tools/chord_detection.h"
#include "tools/reflow.h"
#include "tools/search_replace.h"
#include "tools/transpose.h"
#include "tools/word_list.h"

namespace {

constexpr int kRuns = 5;

// Median of the runs of fn, each after prepare (not timed).
double Median(const std::function<void()>& prepare, const std::function<void()>& fn) {
  std::vector<double> t;
  for (int i = 0; i < kRuns; ++i) {
    prepare();
    const auto a = std::chrono::steady_clock::now();
    fn();
    const auto b = std::chrono::steady_clock::now();
    t.push_back(std::chrono::duration<double, std::milli>(b - a).count());
  }
  std::sort(t.begin(), t.end());
  return t[t.size() / 2];
}

// Answers the Replace dialog as soon as it is shown: replace term by replacement everywhere.
void AnswerReplace(const QString& term, const QString& replacement) {
  QTimer::singleShot(0, [=] {
    if (auto* d = qobject_cast<frmReplace*>(QApplication::activeModalWidget())) {
      d->TextField1()->setText(term);
      d->TextField2()->setText(replacement);
      d->PushButton1()->click();
    }
  });
}

struct Tool {
  const char* name;
  std::function<QString(const QString&)> pure;
  std::function<void(Window1*)> window;
};

void Measure(const QString& label, const QString& song) {
  Window1* w = Window1::Instance();
  w->show();
  QCoreApplication::processEvents();
  const int width = w->Canvas1()->width(), height = w->Canvas1()->height();
  const bool centre = w->cbCenterLine()->Value();
  const int wordSize = w->sldrWordSize()->Value();
  const WordList& words = WordListAGC(ResourcesFolder().Child(QStringLiteral("WordListAGC.txt")));
  const auto reflow = [=](const QString& oneLine) {
    return ReflowLines(oneLine, ReflowWidth(width, centre), PictureMeasure(width, height, wordSize),
                       PictureFaceCovers(wordSize));
  };
  const Tool tools[] = {
      {"Remove Line Feeds", [](const QString& s) { return RemoveLineFeeds(s); },
       [](Window1* x) { x->_mnuRemoveLineFeeds_Action(); }},
      {"Auto Line Feed (reflow)", [&](const QString& s) { return reflow(RemoveLineFeeds(s)); },
       [](Window1* x) { x->_mnuAutoFormat_Action(); }},
      {"Auto Format Song",
       [&](const QString& s) { return AutoDetectChords(reflow(RemoveColumnMarkers(RemoveLineFeeds(s))), words); },
       [](Window1* x) { x->AutoFormatSong(); }},
      {"Detect Chords", [&](const QString& s) { return AutoDetectChords(s, words); },
       [](Window1* x) { x->_mnuAutoDetectChords_Action(); }},
      {"Chords over Lyrics to Inline", [](const QString& s) { return ConvertChordsToInlineChords(s); },
       [](Window1* x) { x->_mnuConvertChordsOverTexttoInlineChords_Action(); }},
      {"Capitalise Chords", [](const QString& s) { return ConvertChordsToCaps(s); },
       [](Window1* x) { x->_mnuConvertChordstoCaps_Action(); }},
      {"Capitalise Lines", [](const QString& s) { return CapFirstLetterOfLine(s); },
       [](Window1* x) { x->_mnuCapFirstLetterOfLine_Action(); }},
      {"Transpose Eb -> F", [](const QString& s) { return TransposeSong(s, "Eb", "F").text; },
       [](Window1* x) { x->Transpose("Eb", "F"); }},
      {"Replace All grace -> mercy", [](const QString& s) { return ReplaceAllOccurrences(s, "grace", "mercy"); },
       [](Window1* x) {
         AnswerReplace("grace", "mercy");
         x->_mnuSearchReplace_Action();
       }},
  };
  std::printf("-- %s: %lld characters\n", label.toLocal8Bit().constData(), static_cast<long long>(song.size()));
  std::printf("%-40s %10s %10s %7s %10s %10s %7s\n", "tool", "pure ms", "window ms", "ratio", "sweep ms", "no spell",
              "ratio");
  for (const Tool& t : tools) {
    QString out;
    const double pure = Median([] {}, [&] { out = t.pure(song); });
    double sweep = 0;
    const auto through = [&](bool spelling) {
      w->txtSong()->SetAutomaticallyCheckSpelling(spelling);
      std::vector<double> sweeps;
      const double ms = Median(
          [&] {
            // The song set afresh, its spelling checked to the end: the idle checking of the
            // song as set is not the command's.
            w->txtSong()->SetText(song);
            QCoreApplication::processEvents();
            bench::FinishSpellSweep(w->txtSong());
          },
          [&] {
            t.window(w);
            QCoreApplication::processEvents();
            // The lines the idle sweep checks in slices, checked to the end.
            const auto a = std::chrono::steady_clock::now();
            if (spelling) bench::FinishSpellSweep(w->txtSong());
            sweeps.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - a).count());
          });
      std::sort(sweeps.begin(), sweeps.end());
      sweep = sweeps[sweeps.size() / 2];
      if (w->txtSong()->Text() != TextArea::ReadBack(out)) std::printf("  (%s: the window's result differs)\n", t.name);
      return ms;
    };
    const double unchecked = through(false), window = through(true);
    std::printf("%-40s %10.3f %10.3f %6.2fx %10.3f %10.3f %6.2fx\n", t.name, pure, window, window / pure, sweep,
                unchecked, unchecked / pure);
    std::fflush(stdout);
  }
  delete w;
}

}  // namespace

int main(int argc, char** argv) {
  return bench::RunWindowBench(argc, argv, [&](const QTemporaryDir&) {
    if (argc > 1) {
      for (int i = 1; i < argc; ++i) Measure(QString::fromLocal8Bit(argv[i]), bench::LoadSongText(argv[i]));
    } else {
      Measure(QStringLiteral("generated 8000 lines"), bench::GenerateSong(8000));
      Measure(QStringLiteral("generated 8000 lines, chords over lyrics"), bench::GenerateSong(8000, true));
    }
  });
}
