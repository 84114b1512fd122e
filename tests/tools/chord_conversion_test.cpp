#include "tools/chord_conversion.h"

#include <gtest/gtest.h>

TEST(ConvertChordsToInlineChords, ChordLinesMoveIntoTheLineBelow) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"", ""},
      {"G\rHi", "\r[G]Hi"},              // first line: leaves an empty first line
      {"C        G\rHi", "\r[C]Hi[G]"},  // past the lyric's end: appended
      {"x\rG\rHi", "x\r[G]Hi"},
      {"x\rG  ", "x\rG  "},         // last line: unchanged
      {"Am  ", "Am  "},             // only line
      {"x\r   \r  Hi  ", "x\rHi"},  // blanks only: emptied, next line trimmed
      {"[]\rHi", "\r[]Hi"},
      {"/\rHi", "\r[/]Hi"},
      {"[C]\rHi", "\r[C]Hi"},
      {"   G\rHello", "\rHel[G]lo"},  // in front of the letter under the chord
      {"A   G\rHello", "\r[A]Hell[G]o"},
      {"Bad Face\rx", "\r[Bad]x[Face]"},
      {"G\rC\rHi", "\r[[G]C]Hi"},  // the second chord line receives and moves on
      {"  G\r  hello   World  ", "\r[G]hello   World"},
      {"am   g\rhello", "\r[am]hello[g]"},
      {"G\t C\rHello there", "\r[G]Hel[C]lo there"},  // tabs separate chords
      {"\tG\rHello", "\rH[G]ello"},
      {"G\t\rHi", "\r[G]Hi"},
      {"G\nHi\n\n\n\n\nEnd", "\r[G]Hi\rEnd"},
      {"Hello\n\n\n\n\nWorld", "Hello\rWorld"},
      {"Hello\rWorld", "Hello\rWorld"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ConvertChordsToInlineChords(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
  }
}

TEST(IsChordLine, NamesSlashesAndEmptyBrackets) {
  const struct {
    const char* line;
    bool chord;
  } cases[] = {
      {"G  Am7/E  Bbmaj9", true}, {"   ", true},  {"[C]  [/]", true}, {"bad face", true}, {"", false},
      {"Hello", false},           {"G x", false}, {"[[]]", false},    {"Csus4", false},   {"G\u00a0C", true},
  };
  for (const auto& c : cases) EXPECT_EQ(IsChordLine(QString::fromUtf8(c.line)), c.chord) << c.line;
}
