#include "tools/transpose.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {

int Semitone(QString name) {
  if (name.endsWith('m')) name.chop(1);
  static const int letters[] = {9, 11, 0, 2, 4, 5, 7};  // A to G
  int s = letters[name.at(0).unicode() - 'A'];
  if (name.size() > 1) s += name.at(1) == '#' ? 1 : -1;
  return (s + 12) % 12;
}

}  // namespace

TEST(KeyTable, SeventeenRowsOfTwelveChordsOnTheRightDegrees) {
  const int degree[] = {0, 2, 4, 5, 7, 9, 11, 0, 2, 3, 8, 10};
  const bool minor[] = {false, true, true, false, false, true, false, false, false, false, false, false};
  ASSERT_EQ(KeyTable().size(), 17);
  QSet<QString> keys;
  for (const QString& row : KeyTable()) {
    const QStringList names = row.split(',');
    ASSERT_EQ(names.size(), 12) << row.toStdString();
    keys.insert(names[0]);
    EXPECT_EQ(names[7], names[0]);
    const int root = Semitone(names[0]);
    for (int c = 0; c < 12; ++c) {
      EXPECT_EQ((Semitone(names[c]) - root + 12) % 12, degree[c]) << row.toStdString() << " column " << c;
      EXPECT_EQ(names[c].endsWith('m'), minor[c]) << row.toStdString() << " column " << c;
    }
  }
  EXPECT_EQ(keys.size(), 17);
  EXPECT_EQ(KeyTable().first(), "C,Dm,Em,F,G,Am,B,C,D,Eb,Ab,Bb");
  EXPECT_EQ(KeyTable()[2], "C#,D#m,Fm,F#,G#,A#m,C,C#,D#,E,A,B");
  EXPECT_EQ(KeySuffixes().size(), 9);
}

TEST(KeyTable, RowsAreFoundByNameIgnoringCaseOnly) {
  EXPECT_EQ(FindKeyRow("C"), 0);
  EXPECT_EQ(FindKeyRow("c"), 0);
  EXPECT_EQ(FindKeyRow("bb"), FindKeyRow("Bb"));
  EXPECT_EQ(FindKeyRow("A#"), 15);
  for (const char* missing : {"", " C", "Am", "Cb", "E#", "H"}) EXPECT_EQ(FindKeyRow(missing), -1) << missing;
}

TEST(TransposeSong, ChordMarkersMoveThroughTheTable) {
  const struct {
    QString from, to, in, out;
  } cases[] = {
      {"C", "D", "[C] [Dm] [Am7] [G7] [Bb] [Csus] [D2] [F(4)]", "[D] [Em] [Bm7] [A7] [C] [Dsus] [E2] [G(4)]"},
      {"C", "D", "[E] [A] [Cmaj7] [Cm7] [Csus4]", "[E] [A] [Cmaj7] [Cm7] [Csus4]"},
      {"C", "D", "[am] [csUs] [f9]", "[Bm] [DsUs] [G9]"},
      {"c", "d", "[C]", "[D]"},
      {"C", "Bb", "[Ab]", "[Gb]"},
      {"C", "A#", "[Ab]", "[F#]"},
      {"Bb", "C", "[Gb]", "[Ab]"},
      {"G", "G", "[em] [f#] [Cmaj7]", "[Em] [F#] [Cmaj7]"},
      // Outside the markers nothing changes; markers are read up to their first "]".
      {"C", "D", "C [] x", "C [] x"},
      {"C", "D", "[C [D]", "[C [E]"},
      {"C", "D", "[C]x]y", "[D]x]y"},
      {"C", "D", "C] [C]", "D] [D]"},
      {"C", "D", "no markers at all", "no markers at all"},
      {"C", "D", "", ""},
      // The bass follows a transposed chord; separators and fret values stay as written.
      {"C", "D", "[G/B] [C/E] [C\\E]", "[A/C#] [D/F#] [D\\F#]"},
      {"C", "D", "[C/E!x02] [C!x32010] [am/c] [C/Eb]", "[D/F#!x02] [D!x32010] [Bm/D] [D/F]"},
      {"C", "D", "[Cmaj7/E] [E/G#] [C/H] [C/B7] [C/]", "[Cmaj7/E] [E/G#] [D/H] [D/B7] [D/]"},
      {"Eb", "F", "[Ab/C] [Bb7] [Cm]", "[Bb/D] [C7] [Dm]"},
  };
  for (const auto& c : cases) {
    const TransposeResult r = TransposeSong(c.in, c.from, c.to);
    EXPECT_TRUE(r.ok) << c.in.toStdString();
    EXPECT_TRUE(r.message.isEmpty());
    EXPECT_EQ(r.text, c.out) << c.from.toStdString() << "->" << c.to.toStdString() << " " << c.in.toStdString();
  }
}

TEST(TransposeSong, AKeyWithoutARowIsReportedAndNothingRewritten) {
  const struct {
    QString from, to, message;
  } cases[] = {
      {"H", "D", "Unable to find H"},
      {"C", "H", "Unable to find H"},
      {"X", "Y", "Unable to find X"},  // the from-key is reported first
      {"C ", "D", "Unable to find C "},
      {"", "D", "Unable to find "},
      {"Am", "C", "Unable to find Am"},
  };
  for (const auto& c : cases) {
    const TransposeResult r = TransposeSong("[C] la", c.from, c.to);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, c.message);
    EXPECT_TRUE(r.text.isEmpty());
  }
}

TEST(TransposeSong, PiecesAgreeWithTheWholeSong) {
  bool changed = true;
  EXPECT_EQ(TransposeChordName("Cmaj7", 0, 3, &changed), "Cmaj7");
  EXPECT_FALSE(changed);
  EXPECT_EQ(TransposeChordName("g7", 0, 3, &changed), "A7");
  EXPECT_TRUE(changed);
  EXPECT_EQ(TransposeBass("b", 0, 3), "C#");
  EXPECT_EQ(TransposeBass("Bm", 0, 3), "Bm");
}
