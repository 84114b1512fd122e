// Sheet redraw and song document figures: one page of a long song into a preview-sized picture,
// with the page count a redraw does; building and reading the document text. The page positions
// of the last text counted are kept, so every row that stands for a redraw after an edit is
// handed, by turns, one of two copies of the song that share no storage: each call counts a text
// it has not seen last, as after a keystroke. A row that reuses the kept positions says so.
#include <QGuiApplication>
#include <algorithm>
#include <memory>
#include <vector>

#include "bench_common.h"
#include "support/doubles/recording_graphics.h"
#include "platform/desktop/picture.h"
#include "sheet/pages.h"
#include "sheet/sheet_renderer.h"
#include "sheet/song_document.h"

namespace {

void Measure(const char* name, const QString& song) {
  std::printf("-- %s: %lld characters, %d pages\n", name, static_cast<long long>(song.size()),
              CountPages(song, QStringLiteral("+++++")));
  SheetInput in;
  in.title = QStringLiteral("Amazing Grace");
  in.capo = QStringLiteral("3");
  in.key = QStringLiteral("Eb");
  const QString copies[2] = {song, QString(song.constData(), song.size())};
  int turn = 0;
  // The song as after an edit: the other copy.
  const auto edited = [&]() -> const QString& { return copies[turn ^= 1]; };
  in.song = song;
  const int last = CountPages(song, in.marker);
  const int middle = std::min(50, last);
  std::vector<int> pages = {1, middle, last};
  pages.erase(std::unique(pages.begin(), pages.end()), pages.end());  // a short song has fewer
  for (int page : pages) {
    const double ms = bench::MedianMs(41, [&] {
      // What one redraw does: the page label's count, a fresh picture, the page drawn.
      in.song = edited();
      const int shown = PageNumberFor(page, CountPages(in.song, in.marker));
      Picture p(576, 756);
      auto g = p.NewGraphics();
      RenderSheetPage(*g, in, shown);
    });
    char what[64];
    std::snprintf(what, sizeof what, "redraw page %d into 576x756", page);
    bench::Report(what, ms);
  }
  RecordingGraphics rec;
  char what[64];
  std::snprintf(what, sizeof what, "page %d read and laid out, nothing painted", middle);
  bench::Report(what, bench::MedianMs(41, [&] {
                  rec.Clear();
                  in.song = edited();
                  RenderSheetPage(rec, in, middle);
                }));
  bench::Report("page count of an edited text", bench::MedianMs(101, [&] { CountPages(edited(), in.marker); }));
  in.song = song;
  CountPages(in.song, in.marker);
  bench::Report("page count of the same text again (kept)",
                bench::MedianMs(101, [&] { CountPages(in.song, in.marker); }));
  bench::Report("fresh 576x756 picture alone", bench::MedianMs(101, [&] { Picture p(576, 756); }));

  SongDocument doc;
  doc.title = in.title;
  doc.song = song;
  QByteArray bytes;
  bench::Report("build document text", bench::MedianMs(41, [&] { bytes = BuildSongDocument(doc); }));
  bench::Report("parse document text", bench::MedianMs(41, [&] { ParseSongDocument(bytes); }));
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  bench::ForEachSong(argc, argv, {500, 2000, 8000}, Measure);
  return 0;
}
