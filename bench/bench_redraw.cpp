// The preview's redraw on the real main window: doDrawing on a long song shown at page 1 and at
// page 50, and one typed character (the text's change event, which redraws).
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>

#include "app/ini_class.h"
#include "app/module1.h"
#include "bench_common.h"
#include "mainwindow/window1.h"
#include "platform/controls/text_area.h"
#include "platform/controls/text_field.h"
#include "shell/menu_bar1.h"

namespace {

void Measure(const char* name, const QString& song) {
  Window1* w = Window1::Instance();
  w->txtTitle()->SetText(QStringLiteral("Amazing Grace"));
  w->txtCapo()->SetText(QStringLiteral("3"));
  w->txtKey()->SetText(QStringLiteral("Eb"));
  w->txtSong()->SetText(song);
  const int last = w->TotalPages();
  std::printf("-- %s: %lld characters, %d pages\n", name, static_cast<long long>(song.size()), last);
  for (int page : {1, std::min(50, last)}) {
    w->CurrentPageNumber = page;
    char what[64];
    std::snprintf(what, sizeof what, "doDrawing at page %d", page);
    bench::Report(what, bench::MedianMs(61, [&] { w->doDrawing(); }));

    // One character typed at the top of the shown page and taken back: each is a change of the
    // text, and each change redraws.
    const QString text = w->txtSong()->Text();
    qsizetype from = 0;
    for (int i = 1; i < page && from >= 0; ++i) from = text.indexOf(Module1::newPageSymbol, from + 1);
    const int at = static_cast<int>(std::max<qsizetype>(0, text.indexOf(QLatin1Char('{'), std::max<qsizetype>(0, from))));
    std::snprintf(what, sizeof what, "typed character at page %d (edit + redraw)", page);
    bench::Report(what, bench::MedianMs(61, [&] {
      w->txtSong()->SetSelStart(at);
      w->txtSong()->SetSelText(QStringLiteral("x"));
      w->txtSong()->SetSelStart(at);
      w->txtSong()->SetSelLength(1);
      w->txtSong()->SetSelText(QString());
    }) / 2);
  }
  delete w;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir settings;
  Module1::newPageSymbol = QStringLiteral("+++++");
  Module1::myINI = std::make_shared<iniClass>(FolderItem(settings.path() + QStringLiteral("/Harmonote.ini")));
  if (argc > 1) {
    Measure(argv[1], bench::LoadSongText(argv[1]));
  } else {
    for (int lines : {500, 2000, 8000}) {
      char name[48];
      std::snprintf(name, sizeof name, "generated %d lines", lines);
      Measure(name, bench::GenerateSong(lines));
    }
  }
  Module1::myINI.reset();
  MenuBar1::Release();
  return 0;
}
