// The whole-song text tools on large songs: reflow to the sheet width (real font measure at the
// word size), transposition, and Replace All.
#include <QApplication>
#include <cstdio>

#include "bench_common.h"
#include "platform/desktop/picture_measure.h"
#include "tools/reflow.h"
#include "tools/search_replace.h"
#include "tools/transpose.h"

namespace {

void Measure(const QString& song, const char* label) {
  std::printf("%s: %lld characters\n", label, static_cast<long long>(song.size()));
  const int width = ReflowWidth(576, true);
  QString out;
  bench::Report("  AutoLineFeed (centre line, word size 12)", bench::MedianMs(5, [&] {
                  out = AutoLineFeed(song, width, PictureMeasure(576, 756, 12), PictureFaceCovers(12));
                }));
  bench::Report("  TransposeSong Eb -> F", bench::MedianMs(9, [&] { out = TransposeSong(song, "Eb", "F").text; }));
  bench::Report("  ReplaceAllOccurrences grace -> mercy",
                bench::MedianMs(9, [&] { out = ReplaceAllOccurrences(song, "grace", "mercy"); }));
  if (out.isEmpty()) std::printf("(empty result)\n");
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  bench::ForEachSong(argc, argv, {500, 2000, 8000},
                     [](const char* label, const QString& song) { Measure(song, label); });
  return 0;
}
