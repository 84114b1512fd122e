#include "tools/chord_names.h"

#include <gtest/gtest.h>

#include <QSet>
#include <map>

#include "platform/core/strings.h"

TEST(CreateAllChords, SizeFormAndBothLetterCases) {
  for (const bool upper : {false, true}) {
    const QString& list = CreateAllChords(upper);
    EXPECT_EQ(list.size(), 58030);
    EXPECT_FALSE(list.startsWith(','));
    EXPECT_TRUE(list.endsWith("G#MAJ9/G#,", Qt::CaseInsensitive));
    EXPECT_FALSE(list.contains(",,"));
    EXPECT_FALSE(list.contains(' '));
    const QStringList pieces = Split(list, ",");
    ASSERT_EQ(pieces.size(), 7855);
    EXPECT_EQ(pieces.last(), "");
    EXPECT_EQ(pieces, ChordNamePieces(upper));
  }
  EXPECT_EQ(CreateAllChords(true), Uppercase(CreateAllChords(false)));
  EXPECT_TRUE(CreateAllChords(false).endsWith("G#maj9/G#,"));
  EXPECT_TRUE(CreateAllChords(true).startsWith("A,B,C,D,E,F,G,AB,A#,BB,"));
}

TEST(CreateAllChords, OrderShortestFirstThenGenerationOrder) {
  const QStringList& names = ChordNamePieces(false);
  const QStringList start = {"A",  "B",  "C",  "D",  "E",  "F",  "G",  "Ab", "A#", "Bb", "B#", "Cb", "C#", "Db",
                             "D#", "Eb", "E#", "Fb", "F#", "Gb", "G#", "A2", "Am", "A7", "A4", "A5", "B2", "Bm"};
  EXPECT_EQ(names.mid(0, start.size()), start);
  const int firstOf3 = 7 + 49;
  EXPECT_EQ(names.mid(firstOf3, 4), QStringList({"Am7", "Am9", "Ama", "Ab2"}));
  EXPECT_EQ(names[7853], "G#maj9/G#");
  EXPECT_TRUE(names.contains("ASUS"));
  EXPECT_TRUE(names.contains("D#(4)"));
  EXPECT_TRUE(names.contains("F#maj7/D#"));

  std::map<int, int> byLength;
  for (int i = 0; i < 7854; ++i) {
    ++byLength[Len(names[i])];
    if (i > 0) {
      EXPECT_LE(Len(names[i - 1]), Len(names[i])) << i;
    }
  }
  const std::map<int, int> expected = {{1, 7},    {2, 49},   {3, 140},  {4, 525}, {5, 1421},
                                       {6, 1890}, {7, 1862}, {8, 1568}, {9, 392}};
  EXPECT_EQ(byLength, expected);
}

TEST(CreateAllChords, EveryNameOnceInEitherLetterCase) {
  const QStringList& names = ChordNamePieces(false);
  QSet<QString> folded;
  for (int i = 0; i < 7854; ++i) folded.insert(names[i].toUpper());
  EXPECT_EQ(folded.size(), 7854);
  // Enclosed in commas, each name is found exactly once (the first has no comma before it).
  const QString list = CreateAllChords(false);
  for (const QString& n :
       {QStringLiteral("B"), QStringLiteral("Am7"), QStringLiteral("Bb/Bb"), QStringLiteral("G#maj9/G#")}) {
    const QString enclosed = "," + n + ",";
    EXPECT_EQ(list.count(enclosed), 1) << n.toStdString();
  }
  EXPECT_EQ(list.count(",A,"), 0);
}
