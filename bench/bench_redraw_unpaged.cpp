// The preview's redraw on the real main window for a song without page breaks: the given song
// with every page-break line taken out, so that its one page runs thousands of lines below the
// sheet. doDrawing, and one character inserted by code (SetSelText, no key event, no paint) in the
// song's first line and taken back (each a change of the text, which redraws), in the middle and
// in the last line. bench_keystroke times a real key until the window has painted.
#include <QApplication>
#include <QTemporaryDir>
#include <memory>

#include "app/ini_class.h"
#include "app/module1.h"
#include "bench_common.h"
#include "bench_window.h"
#include "mainwindow/window1.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/controls/text_field.h"
#include "shell/menu_bar1.h"

namespace {

// The song without its page-break lines.
QString WithoutPageBreaks(const QString& song) {
  QStringList kept;
  for (const QString& line : song.split(QChar(13)))
    if (line.trimmed() != Module1::newPageSymbol) kept << line;
  return kept.join(QChar(13));
}

void Measure(const char* name, const QString& paged) {
  const QString song = WithoutPageBreaks(paged);
  Window1* w = Window1::Instance();
  w->txtTitle()->SetText(QStringLiteral("Amazing Grace"));
  w->txtCapo()->SetText(QStringLiteral("3"));
  w->txtKey()->SetText(QStringLiteral("Eb"));
  w->txtSong()->SetText(song);
  w->State().SetPage(1);
  std::printf("-- %s without page breaks: %lld characters, %lld lines, %d page\n", name,
              static_cast<long long>(song.size()), static_cast<long long>(song.count(QChar(13)) + 1), w->TotalPages());
  bench::Report("doDrawing, no page breaks", bench::MedianMs(61, [&] { w->doDrawing(); }));
  const struct {
    const char* what;
    qsizetype at;
  } places[] = {
      {"code insert, first line (edit + redraw)", 0},
      {"code insert, middle line (edit + redraw)", song.indexOf(QChar(13), song.size() / 2) + 1},
      {"code insert, last line (edit + redraw)", song.lastIndexOf(QChar(13)) + 1},
  };
  for (const auto& p : places) {
    const int at = static_cast<int>(p.at);
    bench::Report(p.what, bench::MedianMs(61, [&] { bench::TypeAndDelete(w, at); }) / 2);
  }
  delete w;
}

}  // namespace

int main(int argc, char** argv) {
  return bench::RunWindowBench(argc, argv,
                               [&](const QTemporaryDir&) { bench::ForEachSong(argc, argv, {8000}, Measure); });
}
