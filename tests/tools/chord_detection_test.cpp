#include "tools/chord_detection.h"

#include <gtest/gtest.h>

namespace {

const WordList& Fixture() {
  static const WordList list(",BE,BAD,face,");
  return list;
}

struct Case {
  const char* in;
  const char* out;
};

void Check(const Case* begin, const Case* end, const WordList& words) {
  for (const Case* c = begin; c != end; ++c) {
    EXPECT_EQ(AutoDetectChords(QString::fromUtf8(c->in), words), QString::fromUtf8(c->out)) << c->in;
  }
}

}  // namespace

TEST(AutoDetectChords, WordsAndRunsOfNames) {
  static const Case cases[] = {
      {"", ""},
      {"Am G C", "[Am] [G] [C]"},
      {"Am hello", "[Am]hello"},
      {"G", "[G]"},
      {"A AM Am a am", "[A] [AM] [Am]a am"},
      {"am7 AM7 Dm7/G", "[am7] [AM7] [Dm7/G]"},
      {"AmG", "[Am] [G]"},
      {"Bbm7F", "[Bbm7] [F]"},
      {"game", "[G] [Am] [E]"},  // the longer name Am is taken before A
      {"AC/DC", "[A] [C/D] [C]"},
      {"CCCCCC", "[C] [C] [C] [C] [C] [C]"},
      {"CCCCCCC", "CCCCCCC"},  // seven names
      {"Hello Csus4 xAm", "Hello Csus4 xAm"},
      {"Am, G.", "Am, G."},     // punctuation keeps a word from matching
      {"C,D C,E", "[C,D]C,E"},  // neighbours in the list, joined by a comma
      {"x \rAm", "x \r[Am]"},   // the line's CR stays in front of the marker
      {"Am\nG", "Am\rG"},       // one word across the line end
      {"Am\tG", "Am\tG"},
      {"[Am] x", "[Am]x"},
      {"*bad* *Am*", "*bad* *Am*"},  // bold markup is never read as chord names
      {"a     x", "a  x"},
      {"   ", " "},
      {"Am  G", "[Am] [G]"},
  };
  Check(std::begin(cases), std::end(cases), Fixture());
}

TEST(AutoDetectChords, WordListKeepsOnlyRunsOfNames) {
  static const Case withList[] = {
      {"be BE Be", "be BE Be"},
      {"bad FACE", "bad FACE"},
      {"fade", "[F] [A] [D] [E]"},
  };
  Check(std::begin(withList), std::end(withList), Fixture());
  static const Case without[] = {
      {"be", "[B] [E]"},
      {"Bad", "[B] [A] [D]"},
  };
  Check(std::begin(without), std::end(without), WordList());
  // A single chord name is wrapped even when the list holds it.
  EXPECT_EQ(AutoDetectChords("Ab", WordList(",AB,")), "[Ab]");
}
