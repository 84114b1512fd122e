#pragma once
// Shared pieces of the benchmarks: the song to measure (a file given on the command line, or one
// made by our own deterministic generator) and median timing.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <random>
#include <utility>
#include <vector>

namespace bench {

// The median of the figures (the upper one of an even count); 0 for none.
inline double Median(std::vector<double> t) {
  std::sort(t.begin(), t.end());
  return t.empty() ? 0 : t[t.size() / 2];
}

// Median wall time of fn over runs, in milliseconds.
inline double MedianMs(int runs, const std::function<void()>& fn) {
  std::vector<double> t;
  for (int i = 0; i < runs; ++i) {
    auto a = std::chrono::steady_clock::now();
    fn();
    auto b = std::chrono::steady_clock::now();
    t.push_back(std::chrono::duration<double, std::milli>(b - a).count());
  }
  return Median(std::move(t));
}

inline void Report(const char* what, double ms) {
  std::printf("%-52s median %9.3f ms\n", what, ms);
  std::fflush(stdout);
}

// A generated song of about `lines` lines: inline chords, captions for the section names, a page
// break every pageLines lines; or, with over = true, chord lines written over lyric lines and no
// page breaks. Lines end with CR, as the song text area gives them.
inline QString GenerateSong(int lines, bool over = false, int pageLines = 80) {
  static const char* words[] = {"amazing", "grace",   "how",    "sweet",   "the",   "sound", "that",
                                "saved",   "a",       "wretch", "like",    "me",    "once",  "was",
                                "lost",    "but",     "now",    "am",      "found", "blind", "I",
                                "see",     "through", "many",   "dangers", "toils", "and",   "snares"};
  static const char* chords[] = {"Eb",   "Ab", "Bb7", "Cm",     "Fm7", "Gm", "Ab/C", "Bbsus4", "Dbmaj7", "Cm7",
                                 "Eb/G", "Fm", "Bb",  "Abmaj7", "Gm7", "C7", "F7",   "Db",     "Edim",   "Ebadd9"};
  std::mt19937 rnd(42);
  auto pick = [&](int n) { return static_cast<int>(rnd() % static_cast<unsigned>(n)); };
  QStringList out;
  int produced = 0, block = 0;
  while (produced < lines) {
    ++block;
    const QString name = block % 3 == 0 ? QStringLiteral("Chorus") : QStringLiteral("Verse %1").arg(block);
    out << "{" + name + "}";
    ++produced;
    for (int l = 0; l < 6 && produced < lines; ++l) {
      const int n = 6 + pick(5);
      QString inl, lyric, chordLine;
      for (int i = 0; i < n; ++i) {
        const QString w = QString::fromLatin1(words[pick(28)]);
        if (i) {
          inl += ' ';
          lyric += ' ';
        }
        if (pick(3) == 0) {
          const QString c = QString::fromLatin1(chords[pick(20)]);
          if (chordLine.size() > lyric.size() - 1) lyric += QString(chordLine.size() + 1 - lyric.size(), ' ');
          chordLine = chordLine.leftJustified(lyric.size(), ' ') + c;
          inl += "[" + c + "]";
        }
        inl += w;
        lyric += w;
      }
      if (over) {
        out << chordLine << lyric;
      } else {
        out << inl;
      }
      ++produced;
    }
    out << QString();
    ++produced;
  }
  if (!over) {
    QStringList paged;
    for (int i = 0; i < out.size(); ++i) {
      if (i && i % pageLines == 0) paged << QStringLiteral("+++++");
      paged << out[i];
    }
    out = paged;
  }
  return out.join('\r');
}

// The song text of a file: a song document's fifth field, or a text file whole (LF turned to CR).
inline QString LoadSongText(const char* path) {
  QFile f(QString::fromLocal8Bit(path));
  if (!f.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "cannot read %s\n", path);
    std::exit(2);
  }
  const QString all = QString::fromUtf8(f.readAll());
  if (all.count(QChar(11)) >= 13) return all.split(QChar(11)).at(4);
  QString t = all;
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\r")).replace('\n', '\r');
  return t;
}

// The songs a benchmark measures: the file given on the command line, else the generator's songs
// of each of the line counts given, labelled "generated N lines".
inline void ForEachSong(int argc, char** argv, std::initializer_list<int> generatedLines,
                        const std::function<void(const char* label, const QString& song)>& measure) {
  if (argc > 1) {
    measure(argv[1], LoadSongText(argv[1]));
    return;
  }
  for (int lines : generatedLines) {
    const QByteArray label = "generated " + QByteArray::number(lines) + " lines";
    measure(label.constData(), GenerateSong(lines));
  }
}

}  // namespace bench
