#include "tools/transpose.h"

#include <gtest/gtest.h>

#include <QSet>
#include <utility>

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
      // The bass of a transposed chord moves by the keys' interval, spelled as the to-key spells
      // it; separators and fret values stay as written.
      {"C", "D", "[G/B] [C/E] [C\\E]", "[A/C#] [D/F#] [D\\F#]"},
      {"C", "D", "[C/E!x02] [C!x32010] [am/c] [C/Eb]", "[D/F#!x02] [D!x32010] [Bm/D] [D/F]"},
      {"C", "D", "[Cmaj7/E] [E/G#] [C/H] [C/B7] [C/] [C/ E]", "[Cmaj7/E] [E/G#] [D/H] [D/C#7] [D/] [D/ E]"},
      {"Eb", "F", "[Ab/C] [Bb7] [Cm]", "[Bb/D] [C7] [Dm]"},
      {"C", "D", "[D/F#]", "[E/G#]"},
      {"D", "C", "[E/G#]", "[D/F#]"},
      {"F", "G", "[Dm/C#]", "[Em/D#]"},
      {"C", "D", "[G/B]", "[A/C#]"},
      {"C", "Eb", "[C/E]", "[Eb/G]"},
      {"C", "Bb", "[F/A]", "[Eb/G]"},
      {"C", "D", "[C\\G]", "[D\\A]"},
      // A note name is read as long as it goes and written with a capital; what follows it stays.
      {"C", "D", "[C/bb] [C/f#] [C/e] [C/G#!x] [F/Cb]", "[D/C] [D/G#] [D/F#] [D/A#!x] [G/C#]"},
      {"C", "Bb", "[C/Db] [C/F#]", "[Bb/B] [Bb/E]"},  // flats in a flat key, plain letters first
      // The Gb key spells B as Cb, and a song moved there and back gets its basses back.
      {"C", "Gb", "[C/F] [G/B]", "[Gb/Cb] [Db/F]"},
      {"Gb", "C", "[Gb/Cb] [Db/F]", "[C/F] [G/B]"},
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
      // A key is outside text: shown as its characters, its control characters escaped, a bidi
      // override kept inside it.
      {"<img src=/dev/zero>", "C", "Unable to find <img src=/dev/zero>"},
      {"C", "D\n\x1B[2J", "Unable to find D\\x0A\\x1B[2J"},
      {QString("C") + QChar(0x202E), "D",
       QString("Unable to find ") + QChar(0x2068) + "C" + QChar(0x202E) + QChar(0x2069)},
  };
  for (const auto& c : cases) {
    const TransposeResult r = TransposeSong("[C] la", c.from, c.to);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, c.message);
    EXPECT_TRUE(r.text.isEmpty());
  }
}

// The song is rewritten marker by marker: each chord name as TransposeChordName moves it, and
// the bass of a moved chord as TransposeBass moves it; a chord that does not move keeps its bass,
// and fret values after "!" stay.
TEST(TransposeSong, PiecesAgreeWithTheWholeSong) {
  bool changed = true;
  EXPECT_EQ(TransposeChordName("Cmaj7", 0, 3, &changed), "Cmaj7");
  EXPECT_FALSE(changed);
  EXPECT_EQ(TransposeChordName("g7", 0, 3, &changed), "A7");
  EXPECT_TRUE(changed);
  EXPECT_EQ(TransposeBass("b", 0, 3), "C#");
  EXPECT_EQ(TransposeBass("Bm", 0, 3), "C#m");
  EXPECT_EQ(TransposeBass("x", 0, 3), "x");

  const QStringList chords = {"C", "g7", "Cmaj7", "Bm", "am", "F(4)", "dsus", "Eb", "x", ""};
  const QStringList basses = {"b", "Bm", "x", "F#7", "eb", "C", ""};
  const std::pair<int, int> keys[] = {{0, 3}, {4, 8}, {16, 0}, {9, 9}};
  for (const auto& [from, to] : keys) {
    QString song, pieces;
    for (const QString& chord : chords) {
      bool moved = false;
      const QString name = TransposeChordName(chord, from, to, &moved);
      song += '[' + chord + "] ";
      pieces += '[' + name + "] ";
      for (const QString& bass : basses) {
        for (const QChar separator : {QChar('/'), QChar('\\')}) {
          song += '[' + chord + separator + bass + "] ";
          pieces += '[' + name + separator + (moved ? TransposeBass(bass, from, to) : bass) + "] ";
        }
        song += '[' + chord + '!' + bass + "] ";
        pieces += '[' + name + '!' + bass + "] ";
      }
    }
    const QString fromKey = KeyTable()[from].section(',', 0, 0), toKey = KeyTable()[to].section(',', 0, 0);
    const TransposeResult r = TransposeSong(song, fromKey, toKey);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.text.toStdString(), pieces.toStdString()) << fromKey.toStdString() << "->" << toKey.toStdString();
  }
}

// For every pair of keys, every chord of the from-key's row over every written bass note: the
// chord takes the to-row's name, and the bass is one upper-case note name whose pitch has moved
// by exactly the interval between the two keys.
TEST(TransposeSong, EveryBassMovesByTheKeysInterval) {
  const QStringList basses = {"C",  "C#", "Db", "D",  "D#", "Eb", "E",  "F",  "F#", "Gb", "G",
                              "G#", "Ab", "A",  "A#", "Bb", "B",  "Cb", "E#", "Fb", "B#"};
  for (int from = 0; from < KeyTable().size(); ++from) {
    const QStringList fromNames = KeyTable()[from].split(',');
    for (int to = 0; to < KeyTable().size(); ++to) {
      const QStringList toNames = KeyTable()[to].split(',');
      const int interval = (Semitone(toNames[0]) - Semitone(fromNames[0]) + 12) % 12;
      QString song;
      for (const QString& chord : fromNames)
        for (const QString& bass : basses) song += '[' + chord + '/' + bass + ']';
      const TransposeResult r = TransposeSong(song, fromNames[0], toNames[0]);
      ASSERT_TRUE(r.ok);
      const QStringList markers = r.text.mid(1, r.text.size() - 2).split("][");
      ASSERT_EQ(markers.size(), fromNames.size() * basses.size());
      for (qsizetype i = 0; i < markers.size(); ++i) {
        const qsizetype column = i / basses.size();
        const QString& bass = basses[i % basses.size()];
        const std::string trace = QString("%1->%2 [%3/%4] gave [%5]")
                                      .arg(fromNames[0], toNames[0], fromNames[column], bass, markers[i])
                                      .toStdString();
        const QStringList parts = markers[i].split('/');
        ASSERT_EQ(parts.size(), 2) << trace;
        EXPECT_EQ(parts[0], toNames[column]) << trace;
        const QString& moved = parts[1];
        ASSERT_TRUE(moved.size() == 1 || (moved.size() == 2 && (moved[1] == '#' || moved[1] == 'b'))) << trace;
        EXPECT_TRUE(moved[0] >= 'A' && moved[0] <= 'G') << trace;
        EXPECT_EQ(Semitone(moved), (Semitone(bass) + interval) % 12) << trace;
      }
    }
  }
}
