// One very long line, as Remove Line Feeds leaves a song: reading it as words with an unclosed
// chord bracket at its start, converting a chord line over a lyric line, and the chord-line test.
// Each is measured at 10,000 and 160,000 words; the time per word should not grow with the length.
// Usage: bench_long_lines [SONG]  (the words and chords are taken from the song, or from a
// generated song of 2,000 lines; the chord-line test uses names from the whole chord list)
#include <QRegularExpression>
#include <cstdio>
#include <map>
#include <string>

#include "bench_common.h"
#include "sheet/markup.h"
#include "tools/chord_conversion.h"
#include "tools/chord_names.h"

namespace {

struct Material {
  QStringList words;   // lyric words, chord markers and captions left out
  QStringList chords;  // the chord names of the markers
};

Material MaterialOf(const QString& song) {
  static const QRegularExpression marker(QStringLiteral("\\[([^\\]\\r!]*)[^\\]\\r]*\\]"));
  static const QRegularExpression caption(QStringLiteral("\\{[^\\r]*"));
  static const QRegularExpression blanks(QStringLiteral("\\s+"));
  Material m;
  for (auto it = marker.globalMatch(song); it.hasNext();) {
    const QString name = it.next().captured(1).trimmed();
    // Only names the chord-line test takes, so that the chord line is converted.
    if (!name.isEmpty() && IsChordLine(name)) m.chords << name;
  }
  QString plain = QString(song).remove(marker).remove(caption);
  for (const QString& w : plain.split(blanks, Qt::SkipEmptyParts)) {
    if (w != QStringLiteral("+++++")) m.words << w;
  }
  if (m.words.isEmpty()) m.words << QStringLiteral("grace");
  if (m.chords.isEmpty()) m.chords << QStringLiteral("G") << QStringLiteral("D7") << QStringLiteral("Em");
  return m;
}

// "[G" followed by n words of the song: the bracket is never closed.
QString UnclosedLine(const Material& m, int n) {
  QString line = QStringLiteral("[G");
  for (int i = 0; i < n; ++i) line += u' ' + m.words[i % m.words.size()];
  return line;
}

// A lyric line of n words and the chord line over it, a chord over every third word.
QString ChordsOverLyric(const Material& m, int n) {
  QString lyric, chords;
  int c = 0;
  for (int i = 0; i < n; ++i) {
    if (i) lyric += u' ';
    if (i % 3 == 0 && chords.size() < lyric.size()) {
      chords += QString(lyric.size() - chords.size(), u' ');
      chords += m.chords[c++ % m.chords.size()];
    }
    lyric += m.words[i % m.words.size()];
  }
  return chords + QChar(13) + lyric;
}

// n chord names from the whole list, one blank apart, in a fixed random order.
QString NamesLine(int n) {
  const QStringList& names = ChordNamePieces(false);
  std::mt19937 rnd(9);
  QString line;
  for (int i = 0; i < n; ++i) {
    QString name;
    while (name.isEmpty()) name = names[static_cast<qsizetype>(rnd() % static_cast<unsigned>(names.size()))];
    if (i) line += u' ';
    line += name;
  }
  return line;
}

struct Row {
  const char* path;
  int words;
  double ms;
};

void Measure(const Material& m) {
  volatile qsizetype sink = 0;
  std::vector<Row> rows;
  for (const int n : {10000, 160000}) {
    const int runs = n > 10000 ? 5 : 11;
    const QString unclosed = UnclosedLine(m, n);
    const QString over = ChordsOverLyric(m, n);
    const QString names = NamesLine(n);
    if (markup::LineWords(unclosed).size() != 1 || !IsChordLine(names) || !IsChordLine(over.section(QChar(13), 0, 0))) {
      std::fprintf(stderr, "the long lines do not read as intended\n");
      std::exit(1);
    }
    rows.push_back({"words of a line with an unclosed \"[\"", n,
                    bench::MedianMs(runs, [&] { sink = sink + markup::LineWords(unclosed).size(); })});
    rows.push_back({"convert a chord line over a lyric line", n,
                    bench::MedianMs(runs, [&] { sink = sink + ConvertChordsToInlineChords(over).size(); })});
    rows.push_back({"chord-line test, names of the whole list", n,
                    bench::MedianMs(runs, [&] { sink = sink + IsChordLine(names); })});
  }
  std::printf("%-42s %8s %12s %14s\n", "one line of", "words", "median ms", "us per word");
  for (const Row& r : rows) {
    std::printf("%-42s %8d %12.3f %14.4f\n", r.path, r.words, r.ms, 1000.0 * r.ms / r.words);
  }
  // The growth of the time per word from the short line to the long one (1 when linear).
  std::map<std::string, std::vector<double>> perWord;
  for (const Row& r : rows) perWord[r.path].push_back(r.ms / r.words);
  for (const Row& r : rows) {
    auto it = perWord.find(r.path);
    if (it == perWord.end()) continue;
    std::printf("%-42s time per word at 160,000 / at 10,000: %.2f\n", r.path, it->second[1] / it->second[0]);
    perWord.erase(it);
  }
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  (void)IsChordLine(QStringLiteral("G"));  // builds the name index
  const QString song = argc > 1 ? bench::LoadSongText(argv[1]) : bench::GenerateSong(2000);
  Measure(MaterialOf(song));
  return 0;
}
