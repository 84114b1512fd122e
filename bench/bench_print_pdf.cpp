// Print to PDF on the real main window, in process: the whole song through the Print command
// (page setup kept, the printer dialog answering with a PDF file), every page drawn and the PDF
// written to disk. The first print of the run (the first page drawn for a printer, fonts looked
// up for it) is given on its own, then the median of the prints after it.
#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include "app/ini_class.h"
#include "app/module1.h"
#include "bench_common.h"
#include "bench_window.h"
#include "mainwindow/window1.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/controls/text_field.h"
#include "support/doubles/scripted_dialogs.h"
#include "shell/menu_bar1.h"

namespace {

void Measure(const char* name, const QString& song, const QString& folder) {
  ScriptedDialogs dialogs;
  Window1* w = Window1::Instance();
  w->txtTitle()->SetText(QStringLiteral("Amazing Grace"));
  w->txtCapo()->SetText(QStringLiteral("3"));
  w->txtKey()->SetText(QStringLiteral("Eb"));
  w->txtSong()->SetText(song);
  const QString pdf = folder + QStringLiteral("/printed.pdf");
  dialogs.pageSetupAnswers.push_back(QString());
  bool ok = true;
  const auto print = [&] {
    dialogs.printerAnswers.push_back(PrinterAnswer::ToPdf(pdf));
    ok = w->_mnuPrint_Action() && ok;
  };
  const double first = bench::MedianMs(1, print);
  const double later = bench::MedianMs(10, print);
  std::printf("-- %s: %lld characters, %d pages, PDF %lld bytes%s\n", name, static_cast<long long>(song.size()),
              w->TotalPages(), static_cast<long long>(QFileInfo(pdf).size()), ok ? "" : " (A PRINT FAILED)");
  bench::Report("print whole song to PDF (in process), first print", first);
  bench::Report("the same, prints after the first", later);
  delete w;
}

}  // namespace

int main(int argc, char** argv) {
  return bench::RunWindowBench(argc, argv, [&](const QTemporaryDir& settings) {
    bench::ForEachSong(argc, argv, {8000},
                       [&](const char* label, const QString& song) { Measure(label, song, settings.path()); });
  });
}
