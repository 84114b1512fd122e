#include "tools/chord_names.h"

#include <array>

#include "platform/core/strings.h"

namespace {

const QString kRoots = QStringLiteral(",A,Ab,A#,B,Bb,B#,C,Cb,C#,D,Db,D#,E,Eb,E#,F,Fb,F#,G,Gb,G#,");
const char* const kSuffixes[] = {"2",   "SUS",  "m",  "m7",  "7",   "ma7", "maj7", "m9",
                                 "ma9", "maj9", "ma", "maj", "(4)", "4",   "5",    "(2)"};

QString BuildList(bool upper) {
  const QStringList roots = Split(kRoots, ",");
  // The roots and the suffixed names, each enclosed in commas.
  QString suffixed = ",";
  for (const QString& r : roots) {
    if (r.isEmpty()) continue;
    for (const char* x : kSuffixes) suffixed += r + QString::fromLatin1(x) + ",";
  }
  QString all = kRoots + suffixed;
  // Every one of those over each root as its bass note.
  QString overBass = ",";
  for (const QString& n : Split(all, ",")) {
    if (n.isEmpty()) continue;
    for (const QString& r : roots) {
      if (!r.isEmpty()) overBass += n + "/" + r + ",";
    }
  }
  all += overBass;
  // Shortest first: one bucket per length, keeping the generation order inside each.
  std::array<QString, 51> buckets;
  for (const QString& p : Split(all, ",")) {
    if (Trim(p).isEmpty()) continue;
    buckets[static_cast<size_t>(Len(p))] += p + ",";
  }
  QString list;
  for (size_t i = 1; i < buckets.size(); ++i) {
    if (!buckets[i].isEmpty()) list += buckets[i] + ",";
  }
  list = ReplaceAllB(list, ",,", ",");
  list = ReplaceAllB(list, ",,", ",");
  return upper ? Uppercase(list) : list;
}

}  // namespace

const QString& CreateAllChords(bool upper) {
  static const QString mixed = BuildList(false);
  static const QString capitals = BuildList(true);
  return upper ? capitals : mixed;
}

const QStringList& ChordNamePieces(bool upper) {
  static const QStringList mixed = Split(CreateAllChords(false), ",");
  static const QStringList capitals = Split(CreateAllChords(true), ",");
  return upper ? capitals : mixed;
}
