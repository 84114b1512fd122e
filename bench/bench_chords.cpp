// Chord detection and chords-over-lyrics conversion on whole songs.
// Usage: bench_chords [SONG]  (without a song: generated songs of 500, 2,000 and 8,000 lines)
// With a song file, conversion runs on its text as it is, detection on the same text with every
// chord marker removed (plain lyrics) and with every marker written as a word of its own.
#include <QRegularExpression>
#include <chrono>

#include "bench_common.h"
#include "tools/chord_conversion.h"
#include "tools/chord_detection.h"
#include "tools/chord_names.h"

namespace {

QString PlainLyrics(const QString& song) {
  static const QRegularExpression marker(QStringLiteral("\\[[^\\]\\r]*\\]"));
  return QString(song).remove(marker);
}

QString ChordsAsWords(const QString& song) {
  static const QRegularExpression marker(QStringLiteral("\\[([^\\]\\r!]*)[^\\]\\r]*\\]"));
  return QString(song).replace(marker, QStringLiteral("\\1 "));
}

void Measure(const QString& label, const QString& over, const QString& inlineSong) {
  const WordList words(QStringLiteral(",BE,BAD,FACE,GAME,"));
  const QString plain = PlainLyrics(inlineSong);
  const QString asWords = ChordsAsWords(inlineSong);
  const int lines = static_cast<int>(over.count(QChar(13))) + 1;
  volatile qsizetype sink = 0;
  const double convert = bench::MedianMs(7, [&] { sink = sink + ConvertChordsToInlineChords(over).size(); });
  const double detectPlain = bench::MedianMs(7, [&] { sink = sink + AutoDetectChords(plain, words).size(); });
  const double detectWords = bench::MedianMs(7, [&] { sink = sink + AutoDetectChords(asWords, words).size(); });
  const auto report = [&](const char* what, double ms) {
    bench::Report(qPrintable(label + " " + what), ms);
    std::printf("%-52s        %9.3f us per line\n", "", 1000.0 * ms / lines);
  };
  report("convert chords over lyrics", convert);
  report("detect chords, plain lyrics", detectPlain);
  report("detect chords, chords as words", detectWords);
}

}  // namespace

int main(int argc, char** argv) {
  const auto a = std::chrono::steady_clock::now();
  (void)CreateAllChords(true);
  (void)ConvertChordsToInlineChords(QStringLiteral("G\rx"));  // builds the name index
  const auto b = std::chrono::steady_clock::now();
  bench::Report("chord name lists and index, built once", std::chrono::duration<double, std::milli>(b - a).count());
  if (argc > 1) {
    const QString song = bench::LoadSongText(argv[1]);
    Measure(QString::fromLocal8Bit(argv[1]), song, song);
    return 0;
  }
  for (const int n : {500, 2000, 8000}) {
    Measure(QStringLiteral("%1 lines:").arg(n), bench::GenerateSong(n, true), bench::GenerateSong(n, false));
  }
  return 0;
}
