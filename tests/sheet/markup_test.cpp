#include <gtest/gtest.h>

#include <iterator>
#include <random>

#include "sheet/markup.h"

using namespace markup;

TEST(Markup, PageLinesTurnLfIntoCrAndKeepEmptyLines) {
  struct Row {
    QString text;
    QStringList lines;
  };
  const Row rows[] = {
      {"", {}},
      {"one", {"one"}},
      {"line one\r\nline two", {"line one", "", "line two"}},
      {"a\nb\rc", {"a", "b", "c"}},
      {"a\r\rb ", {"a", "", "b "}},
  };
  for (const auto& r : rows) EXPECT_EQ(PageLines(r.text), r.lines) << r.text.toStdString();
}

TEST(Markup, LineKindsByTheFirstTestMet) {
  struct Row {
    QString line;
    LineKind kind;
  };
  const Row rows[] = {
      {"-----", LineKind::Column},    {"----t", LineKind::TopColumn}, {"----T", LineKind::TopColumn},
      {"----- ", LineKind::Words},    {"x -----", LineKind::Words},   {"Chorus {x} [G]", LineKind::Caption},
      {"no brace}", LineKind::Words}, {"", LineKind::Words},          {"{", LineKind::Caption},
      {" -----", LineKind::Words},
  };
  for (const auto& r : rows) EXPECT_EQ(KindOf(r.line), r.kind) << r.line.toStdString();
}

TEST(Markup, CaptionLosesItsFirstBraces) {
  EXPECT_EQ(CaptionText("Chorus {x} [G]"), "Chorus x [G]");
  EXPECT_EQ(CaptionText("{Verse"), "Verse");
  EXPECT_EQ(CaptionText("a} {b} {c}"), "a b} {c}");
  EXPECT_EQ(CaptionText(" {*bold* <p>} "), " *bold* <p> ");
}

TEST(Markup, WordsJoinAnUnclosedChordWithinTheLine) {
  struct Row {
    QString line;
    QStringList words;
  };
  const Row rows[] = {
      {"", {}},
      {"a  b", {"a", "", "b"}},
      {"[G maj7]grace x", {"[G maj7]grace", "x"}},
      {"[G a b", {"[G a b"}},
      {"x [G", {"x", "[G"}},
      {"[G a] b", {"[G a]", "b"}},
      {"]x [A", {"]x", "[A"}},
      {"a]b[c d", {"a]b[c", "d"}},  // holds "]" already: joins nothing
      {"tab\there", {"tab\there"}},
  };
  for (const auto& r : rows) EXPECT_EQ(LineWords(r.line), r.words) << r.line.toStdString();
}

namespace {
// The words of a line read the plain way: every piece between blanks, and an unclosed chord word
// joined with the following pieces until the joined text holds "]".
QStringList PlainLineWords(const QString& line) {
  const QStringList pieces = line.isEmpty() ? QStringList() : line.split(u' ');
  QStringList out;
  for (qsizetype i = 0; i < pieces.size(); ++i) {
    QString w = pieces[i];
    if (w.contains(u'[')) {
      while (!w.contains(u']') && i + 1 < pieces.size()) w += " " + pieces[++i];
    }
    out << w;
  }
  return out;
}
}  // namespace

TEST(Markup, WordsOfGeneratedLinesReadAsThePlainJoin) {
  // Brackets open and close in every place, with tabs, bold and paragraph markers, empty words
  // from double blanks and blanks at both ends.
  static const char* bits[] = {"[G", "]",  "[", "x]",      "a]b[",  "[C]", "word", "*bold*", "<p",
                               "q>", "\t", "",  "[Am!0!2", "grace", "]]",  "[[",   "\u00a0", "\r"};
  // Long lines whose "[" stays open for thousands of words: no "]" among these.
  static const char* open[] = {"word", "*bold*", "<p", "q>", "\t", "", "grace", "[C", "[", "\u00a0"};
  std::mt19937 rnd(3);
  const auto pick = [&](const auto& from) { return QString::fromUtf8(from[rnd() % std::size(from)]); };
  for (int round = 0; round < 300; ++round) {
    QString line;
    const int words = 1 + static_cast<int>(rnd() % 12);
    for (int i = 0; i < words; ++i) {
      if (i) line += u' ';
      line += pick(bits);
      if (rnd() % 3 == 0) line += pick(bits);
    }
    EXPECT_EQ(LineWords(line), PlainLineWords(line)) << line.toStdString();
  }
  for (const char* tail : {"", " x] after [D more", " end]", "]", " ", "  [E"}) {
    QString line = QStringLiteral("[G");
    for (int i = 0; i < 5000; ++i) line += u' ' + pick(open);
    line += QString::fromUtf8(tail);
    EXPECT_EQ(LineWords(line), PlainLineWords(line)) << "tail: " << tail;
  }
}

namespace {
// A readable form of a chord word's pieces: text runs as they are, chords as <name|f1|f2>.
QString Show(const std::vector<ChordPiece>& pieces) {
  QString out;
  for (const auto& p : pieces) {
    if (!p.isChord) {
      out += "'" + p.text + "'";
      continue;
    }
    out += "<" + p.chord.name;
    for (const auto& f : p.chord.frets) out += "|" + f;
    out += ">";
  }
  return out;
}
}  // namespace

TEST(Markup, ChordWordsCutIntoRunsAndGroups) {
  struct Row {
    QString word;
    QString pieces;
  };
  const Row rows[] = {
      {"[G]Amazing", "<G>'Amazing'"},
      {"A[G]maz[D]ing", "'A'<G>'maz'<D>'ing'"},
      {"[G maj7]grace", "<G maj7>'grace'"},
      {"[G", "<G>"},
      {"[G a b", "<G a b>"},
      {"[C!3!2!!1]", "<C|3|2||1>"},
      {"[G!]", "<G|>"},
      {"[]", "<>"},
      {"[!0!2]", "<|0|2>"},
      {"*[G]word*", "'*'<G>'word*'"},
      {"[G/B]x]y", "<G/B>'x]y'"},
      {"[a[b]c", "<a[b>'c'"},
      {"[G][C]", "<G><C>"},
  };
  for (const auto& r : rows) EXPECT_EQ(Show(CutChordWord(r.word)), r.pieces) << r.word.toStdString();
}

TEST(Markup, PlainWordMarkers) {
  struct Row {
    QString word;
    QString text;
    bool before, after, on, off;
  };
  const Row rows[] = {
      {"word", "word", false, false, false, false},
      {"*word*", "word", true, true, false, false},
      {"*word", "word", true, false, false, false},
      {"word*", "word", true, false, false, false},
      {"*", "", true, false, false, false},
      {"**", "*", true, false, false, false},
      {"**word**", "word**", true, true, false, false},
      {"*a", "a", true, false, false, false},
      {"* *", " *", true, false, false, false},  // the rest is one character once trimmed
      {"*x *", "x ", true, true, false, false},
      {"<word", "word", false, false, true, false},
      {"word>", "word", false, false, false, true},
      {"<word>", "word", false, false, true, true},
      {"<>", "", false, false, true, true},
      {"a<b>c", "a<b>c", false, false, false, false},
      {"*<bold>*", "bold", true, true, true, true},
      {"]x", "]x", false, false, false, false},
  };
  for (const auto& r : rows) {
    const PlainWord p = ReadPlainWord(r.word);
    EXPECT_EQ(p.text, r.text) << r.word.toStdString();
    EXPECT_EQ(p.boldBefore, r.before) << r.word.toStdString();
    EXPECT_EQ(p.boldAfter, r.after) << r.word.toStdString();
    EXPECT_EQ(p.paragraphOn, r.on) << r.word.toStdString();
    EXPECT_EQ(p.paragraphOff, r.off) << r.word.toStdString();
  }
}
