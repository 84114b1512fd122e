// Writing a whole song back into the song text area, as every text tool does: set afresh (no undo
// history, as opening a song does) against replaced as one undo step, and set twice (joined, then
// the text); the undo of such a step; a replacement that changes a single word. The area is shown
// at the window's size with spell checking on, as in the main window; each run writes the other of
// two texts, so that every run changes the text.
#include <QApplication>
#include <cstdio>

#include "bench_common.h"
#include "mainwindow/song_spelling.h"
#include "platform/desktop/controls/text_area.h"
#include "tools/reflow.h"
#include "tools/transpose.h"

namespace {

void Measure(const QString& song, const char* label) {
  std::printf("%s: %lld characters\n", label, static_cast<long long>(song.size()));
  const QString texts[2] = {song, TransposeSong(song, "Eb", "F").text};
  const QString joined = RemoveLineFeeds(song);
  TextArea area;
  area.resize(376, 350);
  area.SetWordReading(SongWordReading());
  area.SetAutomaticallyCheckSpelling(true);
  area.show();
  int turn = 0;
  const auto next = [&]() -> const QString& { return texts[++turn % 2]; };

  area.SetText(song);
  bench::Report("  SetText (fresh history)", bench::MedianMs(9, [&] {
                  area.SetText(next());
                  QCoreApplication::processEvents();
                }));
  area.SetText(song);
  bench::Report("  ReplaceText (one undo step)", bench::MedianMs(9, [&] {
                  area.ReplaceText(next());
                  QCoreApplication::processEvents();
                }));
  bench::Report("  SetText twice (joined, then the text)", bench::MedianMs(9, [&] {
                  area.SetText(joined);
                  area.SetText(next());
                  QCoreApplication::processEvents();
                }));
  area.SetText(song);
  bench::Report("  undo of one whole-text step", bench::MedianMs(9, [&] {
                  area.undo();
                  QCoreApplication::processEvents();
                }));
  QString oneWord = song;
  const qsizetype middle = song.indexOf(QLatin1String("grace"), song.size() / 2);
  if (middle >= 0) oneWord.replace(middle, 5, QStringLiteral("mercy"));
  area.SetText(song);
  bench::Report("  ReplaceText, one word in the middle changed", bench::MedianMs(9, [&] {
                  area.ReplaceText(area.Text() == song ? oneWord : song);
                  QCoreApplication::processEvents();
                }));
  bench::Report("  ReplaceText, text unchanged (no step)", bench::MedianMs(9, [&] {
                  area.ReplaceText(area.Text());
                  QCoreApplication::processEvents();
                }));
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  bench::ForEachSong(argc, argv, {500, 2000, 8000},
                     [](const char* label, const QString& song) { Measure(song, label); });
  return 0;
}
