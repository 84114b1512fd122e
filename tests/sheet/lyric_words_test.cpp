#include <gtest/gtest.h>

#include <random>

#include "sheet/lyric_words.h"

using lyrics::Word;

TEST(LyricWords, SungWordsSkipChordsAndJoinAcrossThem) {
  struct Row {
    QString line;
    QList<Word> words;
  };
  const Row rows[] = {
      {"", {}},
      {"The lazzy dog", {{"The", 0, 3}, {"lazzy", 4, 5}, {"dog", 10, 3}}},
      {"[Am7]Amazing [Gsus4/B]grace, don't", {{"Amazing", 5, 7}, {"grace", 22, 5}, {"don't", 29, 5}}},
      {"re[D]lieved", {{"relieved", 0, 11}}},
      {"don[G]'t", {{"don't", 0, 8}}},
      {"[qwzx unclosed chord", {}},
      {"sing [G unclosed", {{"sing", 0, 4}}},
      {"a]b [x y]", {{"a", 0, 1}, {"b", 2, 1}}},
      {"{Verse 2} *lazzy* <speling>", {{"Verse", 1, 5}, {"2", 7, 1}, {"lazzy", 11, 5}, {"speling", 19, 7}}},
      {"x2 3rd", {{"x2", 0, 2}, {"3rd", 3, 3}}},
  };
  for (const auto& r : rows) EXPECT_EQ(lyrics::LineWords(r.line), r.words) << r.line.toStdString();
}

TEST(LyricWords, ApostrophesJoinLettersOnlyAndNonAsciiLettersBelongToWords) {
  struct Row {
    QString line;
    QList<Word> words;
  };
  const Row rows[] = {
      {"o'er \u2019tis rock'n'roll", {{"o'er", 0, 4}, {"tis", 6, 3}, {"rock'n'roll", 10, 11}}},
      {"don't9 it's' ab'9", {{"don't", 0, 5}, {"9", 5, 1}, {"it's", 7, 4}, {"ab", 13, 2}, {"9", 16, 1}}},
      {"caf\u00e9 nai\u0308ve", {{"caf\u00e9", 0, 4}, {"nai\u0308ve", 5, 6}}},
      {"\u00a0grace\u2014amazing", {{"grace", 1, 5}, {"amazing", 7, 7}}},
      // A letter outside the first plane, and a lone surrogate that is no letter.
      {QString::fromUtf8("b\U0001D400c ") + QChar(0xd800) + u'x', {{"b\U0001D400c", 0, 4}, {"x", 6, 1}}},
  };
  for (const auto& r : rows) EXPECT_EQ(lyrics::LineWords(r.line), r.words) << r.line.toStdString();
}

TEST(LyricWords, BoundariesAreSignsAndBlanksButNeverBracketsApostrophesOrLetters) {
  struct Row {
    QChar c;
    bool boundary;
  };
  const Row rows[] = {
      {u' ', true},           {u',', true},           {u'-', true},           {u'{', true},  {u'\t', true},
      {QChar(0x2014), true},  {QChar(0xa0), true},    {u'a', false},          {u'5', false}, {QChar(0xe9), false},
      {QChar(0x308), false},  {u'\'', false},         {QChar(0x2019), false}, {u'[', false}, {u']', false},
      {QChar(0xd835), false}, {QChar(0xdc00), false},
  };
  for (const auto& r : rows) EXPECT_EQ(lyrics::IsWordBoundary(r.c), r.boundary) << int(r.c.unicode());
}

// What a re-check of one edit relies on: cut a line at a boundary read as lyric, and the words of
// the two halves, read each on its own, are the words of the whole line.
TEST(LyricWords, ALineCutAtABoundaryReadAsLyricReadsAsItsTwoHalves) {
  static const char* bits[] = {"grace", " ",     "[G]",    "[Am7 x]", "[", "]",      "'", "\u2019", "don't",
                               ",",     "re[D]", "\u00e9", "9",       "-", "\u0308", "{", "*"};
  std::mt19937 rnd(5);
  for (int n = 0; n < 400; ++n) {
    QString line;
    for (int k = static_cast<int>(rnd() % 30); k > 0; --k) line += QString::fromUtf8(bits[rnd() % std::size(bits)]);
    const QList<Word> whole = lyrics::LineWords(line);
    bool lyric = true;
    for (qsizetype p = 0; p < line.size(); ++p) {
      if (lyric && lyrics::IsWordBoundary(line.at(p))) {
        QList<Word> halves = lyrics::LineWords(QStringView(line).left(p));
        for (Word w : lyrics::LineWords(QStringView(line).mid(p))) {
          w.start += static_cast<int>(p);
          halves.append(w);
        }
        ASSERT_EQ(halves, whole) << line.toStdString() << " cut at " << p;
      }
      lyric = lyrics::LyricAfter(lyric, line.at(p));
    }
  }
}

TEST(LyricWords, DigitsMarkAWordAsNoSpelling) {
  EXPECT_TRUE(lyrics::HasDigit(u"x2"));
  EXPECT_TRUE(lyrics::HasDigit(u"3rd"));
  EXPECT_FALSE(lyrics::HasDigit(u"caf\u00e9"));
  EXPECT_FALSE(lyrics::HasDigit(u""));
}
