// The preview's redraw on the real main window: doDrawing on a long song shown at page 1 and at
// page 50 (or its last page, when it has fewer), and one character inserted by code (SetSelText:
// the text's change event, which redraws; no key event and no paint, which bench_keystroke
// times); then the same on a
// screen of device pixel ratio 2, where the preview's picture has four times the pixels. A
// process reads its screens' ratio once, so the ratio-2 rows come from a second run of this
// program with QT_SCALE_FACTOR=2.
#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>

#include "app/ini_class.h"
#include "app/module1.h"
#include "bench_common.h"
#include "bench_window.h"
#include "mainwindow/window1.h"
#include "platform/desktop/controls/canvas.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/controls/text_field.h"
#include "shell/menu_bar1.h"

namespace {

const char* const kRatioRun = "HARMONOTE_BENCH_RATIO_RUN";

void Measure(const char* name, const QString& song) {
  Window1* w = Window1::Instance();
  const double ratio = w->Canvas1()->devicePixelRatioF();
  char ratioNote[32] = "";
  if (ratio != 1.0) std::snprintf(ratioNote, sizeof ratioNote, ", ratio %g", ratio);
  w->txtTitle()->SetText(QStringLiteral("Amazing Grace"));
  w->txtCapo()->SetText(QStringLiteral("3"));
  w->txtKey()->SetText(QStringLiteral("Eb"));
  w->txtSong()->SetText(song);
  const int last = w->TotalPages();
  std::printf("-- %s: %lld characters, %d pages, device pixel ratio %g (picture %d x %d)\n", name,
              static_cast<long long>(song.size()), last, ratio, w->pImage()->Image().width(),
              w->pImage()->Image().height());
  for (int page : {1, std::min(50, last)}) {
    w->State().SetPage(page);
    char what[64];
    std::snprintf(what, sizeof what, "doDrawing at page %d%s", page, ratioNote);
    bench::Report(what, bench::MedianMs(61, [&] { w->doDrawing(); }));

    // One character inserted at the top of the shown page and taken back: each is a change of
    // the text, and each change redraws.
    const QString text = w->txtSong()->Text();
    qsizetype from = 0;
    for (int i = 1; i < page && from >= 0; ++i) from = text.indexOf(Module1::newPageSymbol, from + 1);
    const int at =
        static_cast<int>(std::max<qsizetype>(0, text.indexOf(QLatin1Char('{'), std::max<qsizetype>(0, from))));
    std::snprintf(what, sizeof what, "code insert at page %d%s (edit + redraw)", page, ratioNote);
    bench::Report(what, bench::MedianMs(61, [&] { bench::TypeAndDelete(w, at); }) / 2);
  }
  delete w;
}

}  // namespace

// The same measurements on a screen of ratio 2, in a second run of this program.
void MeasureAtRatioTwo(int argc, char** argv) {
  QProcess run;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_SCALE_FACTOR", "2");
  env.insert(kRatioRun, "1");
  run.setProcessEnvironment(env);
  run.setProcessChannelMode(QProcess::ForwardedOutputChannel);
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  run.start(QCoreApplication::applicationFilePath(), arguments);
  if (!run.waitForFinished(-1) || run.exitCode() != 0) std::fprintf(stderr, "the run at ratio 2 failed\n");
}

int main(int argc, char** argv) {
  return bench::RunWindowBench(argc, argv, [&](const QTemporaryDir&) {
    bench::ForEachSong(argc, argv, {500, 2000, 8000}, Measure);
    if (!qEnvironmentVariableIsSet(kRatioRun)) MeasureAtRatioTwo(argc, argv);
  });
}
