#include "tools/capitalise.h"

#include <gtest/gtest.h>

TEST(ConvertChordsToCaps, FirstLetterAndBassOfEveryMarker) {
  const struct {
    QString in, out;
  } cases[] = {
      {"[am]", "[Am]"},
      {"[am/c]", "[Am/C]"},
      {"[am7/g#]", "[Am7/G#]"},
      {"[f#m\\a]", "[F#m\\A]"},
      {"[cmaj7]", "[Cmaj7]"},
      {"[a/b\\c]", "[A/b\\C]"},  // "\" wins over "/"
      {"[a/b/c]", "[A/B/c]"},    // only the part after the first separator
      {"[c/e!x]", "[C/E!X]"},
      {"[g!x]", "[G!x]"},
      {"[]", "[]"},
      {"[ am]", "[ am]"},
      {"[am hello [g]", "[am hello [G]"},
      {"[am] hello] x", "[Am] hello] x"},
      {"intro] [g]", "Intro] [G]"},
      {"[c/]", "[C/]"},
      // A "b" after the bass's note letter is the flat sign: it stays, or becomes, lower-case.
      {"[Bb/Eb]", "[Bb/Eb]"},
      {"[bb/ab]", "[Bb/Ab]"},
      {"[Bb/EB]", "[Bb/Eb]"},
      {"[c/bb!x]", "[C/Bb!X]"},
      {"[c/b]", "[C/B]"},
      {"[c/hb]", "[C/HB]"},        // no note letter: the whole part is upper-cased
      {"[c/e\\ab]", "[C/e\\Ab]"},  // the bass is the part after "\"
      {"some words [d]and\r[e/g#]more", "some words [D]and\r[E/G#]more"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ConvertChordsToCaps(c.in), c.out) << c.in.toStdString();
}

TEST(CapFirstLetterOfLine, OnlyCarriageReturnsEndLines) {
  const struct {
    QString in, out;
  } cases[] = {
      {"hello\rworld", "Hello\rWorld"},
      {"[am]x\r1st\r blank", "[am]x\r1st\r blank"},
      {"a\nb", "A\nb"},
      {"a\r\nb", "A\r\nb"},
      {"a\r\rb\r", "A\r\rB\r"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(CapFirstLetterOfLine(c.in), c.out) << c.in.toStdString();
}
