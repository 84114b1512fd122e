#include "tools/reflow.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QStringList>

#include "platform/desktop/picture_measure.h"

namespace {

// One unit per character, so the widths in the cases can be counted by eye.
double CharWidth(const QString& s) { return static_cast<double>(s.size()); }

struct Case {
  const char* name;
  QString text;
  int width;
  QString expected;
};

}  // namespace

TEST(RemoveLineFeeds, EveryLineEndBecomesOneBlank) {
  const struct {
    QString in, out;
  } cases[] = {
      {"A\rB\nC\r\nD", "A B C  D"},
      {"no breaks  here ", "no breaks  here "},
      {"\r\r\n", "   "},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(RemoveLineFeeds(c.in), c.out) << c.in.toStdString();
}

TEST(ReflowWidth, HalfTheCanvasWithTheCentreLineElseTheWholeLessMargins) {
  EXPECT_EQ(ReflowWidth(576, true), 278);
  EXPECT_EQ(ReflowWidth(576, false), 556);
  EXPECT_EQ(ReflowWidth(577, true), 278);  // 278.5 cut toward zero
  EXPECT_EQ(ReflowWidth(15, true), -2);    // -2.5 cut toward zero, not down
}

TEST(ReflowLines, BreaksCaptionsAndEdges) {
  const Case cases[] = {
      // 10 + "aaaa bbbb " (10) = 20 is not past 20; the third word is.
      {"fits exactly at the width", "aaaa bbbb cccc", 20, "aaaa bbbb\rcccc"},
      {"one unit past the width", "aaaa bbbb cccc", 19, "aaaa\rbbbb\rcccc"},
      {"a long word stands alone", "ab cdefghijkl mn", 15, "ab\rcdefghijkl\rmn"},
      // The first word gets its break, then a second one when the measure still overflows.
      {"first word wider than the line", "abcdefgh ij", 12, "abcdefgh\r\rij"},
      {"captions on lines of their own", "{Verse 1} Here we go {Chorus} La la", 1000,
       "{Verse 1}\r Here we go \r{Chorus}\r La la"},
      {"two captions in a row", "{A} {B}", 1000, "{A}\r{B}"},
      {"braces break inside a word", "ab{c}d", 1000, "ab\r{c}\rd"},
      {"caption at the very start and end", "{A}", 1000, "{A}"},
      {"empty words from double blanks survive", "a  b", 1000, "a  b"},
      {"column markers stay in the text", "a ----- b", 1000, "a ----- b"},
      {"empty text", "", 30, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ReflowLines(c.text, c.width, CharWidth), c.expected) << c.name;
}

TEST(ReflowLines, CentreLineWidthHalvesTheLine) {
  QStringList words;
  for (int i = 0; i < 600; ++i) words << QStringLiteral("word");
  const QString text = words.join(' ');
  for (bool centre : {true, false}) {
    const int w = ReflowWidth(576, centre);
    const QStringList lines = ReflowLines(text, w, CharWidth).split('\r');
    ASSERT_GT(lines.size(), 2);
    for (qsizetype i = 0; i < lines.size(); ++i) {
      EXPECT_LE(10 + lines[i].size() + 1, w) << centre;
      if (i + 1 < lines.size()) {
        EXPECT_GT(10 + lines[i].size() + 1 + 5, w) << centre;  // the next word did not fit
      }
    }
  }
}

TEST(ReflowLines, AWholeLineIsMeasuredWhereItsWordsDoNotAddUp) {
  // Each blank before a "b" draws one unit narrower than alone, as kerning would: the line
  // "aaaa bbbb " is 9 wide, although its words measure 5 + 5.
  const MeasureFn kerned = [](const QString& s) { return s.size() - 1.0 * s.count(QStringLiteral(" b")); };
  EXPECT_EQ(ReflowLines("aaaa bbbb cccc", 19, kerned), "aaaa bbbb\rcccc");
  EXPECT_EQ(ReflowLines("aaaa bbbb cccc", 18, kerned), "aaaa\rbbbb\rcccc");
}

TEST(ReflowLines, LinesWithTextShapedWithItsNeighboursAreMeasuredWhole) {
  // A stand-in for shaping: after an "Ω" (a letter the face lacks) or a combining mark, every
  // blank of the line is three units wide, but one unit when measured alone. The words add up to
  // 10 + 12, far from the limit of 30; the line itself is 34 wide.
  const MeasureFn shaped = [](const QString& s) {
    double w = 0;
    bool wide = false;
    for (const QChar c : s) {
      if (c == ' ') {
        w += wide ? 3 : 1;
        continue;
      }
      w += 1;
      wide = wide || c == QChar(0x3A9) || c.category() == QChar::Mark_NonSpacing;
    }
    return w;
  };
  const CoversFn face = [](const QString& s) { return !s.contains(QChar(0x3A9)); };
  const struct {
    const char* name;
    QString text;
    QString expected;
  } cases[] = {
      {"a letter of another face", QString(QChar(0x3A9)) + "a      b", QString(QChar(0x3A9)) + "a     \rb"},
      {"a combining mark", QStringLiteral("a") + QChar(0x301) + "      b",
       QStringLiteral("a") + QChar(0x301) + "     \rb"},
      {"the face's own letters add up", "ab      b", "ab      b"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReflowLines(c.text, 30, shaped, face).toStdString(), c.expected.toStdString()) << c.name;
}

TEST(AutoLineFeed, BlanksAfterAnotherFacesWordsAreMeasuredAsDrawn) {
  // The sheet's face has no Devanagari, and the face that draws it draws the blanks after it too,
  // each far wider than a blank of the sheet's face alone; "namaste" also holds vowel marks.
  if (!QFontDatabase::families().contains(QStringLiteral("Samyak Devanagari")))
    GTEST_SKIP() << "the Devanagari face Samyak Devanagari (fonts-samyak-deva) is not installed";
  const MeasureFn measure = PictureMeasure(576, 756, 12);
  const CoversFn face = PictureFaceCovers(12);
  EXPECT_TRUE(face(QStringLiteral("Amazing grace")));
  const int w = ReflowWidth(576, true);
  const QString words[] = {QStringLiteral("\u0928\u092E\u0938\u094D\u0924\u0947"),
                           QStringLiteral("\u0928\u092E\u0938")};
  for (const QString& word : words) {
    SCOPED_TRACE(word.toStdString());
    EXPECT_FALSE(face(word));
    const QString text = word + QString(20, ' ') + "x";
    ASSERT_GT(10 + measure(text + ' '), w) << "this face's blanks are not wider than the sheet's";
    const QStringList lines = AutoLineFeed(text, w, measure, face).split('\r');
    ASSERT_EQ(lines.size(), 2) << AutoLineFeed(text, w, measure, face).toStdString();
    EXPECT_EQ(lines.join(' '), text);
    EXPECT_LE(10 + measure(lines[0] + ' '), w);
    EXPECT_GT(10 + measure(lines[0] + ' ' + lines[1] + ' '), w);
  }
}

TEST(AutoLineFeed, JoinsTheLinesBeforeBreakingAgain) {
  EXPECT_EQ(AutoLineFeed("one\rtwo\nthree\r\n{C}", 1000, CharWidth), "one two three  \r{C}");
  EXPECT_EQ(AutoLineFeed("aaaa\rbbbb\rcccc", 20, CharWidth), "aaaa bbbb\rcccc");
}

TEST(RemoveColumnMarkers, TwoPassesShortenRunsOfBlanks) {
  EXPECT_EQ(RemoveColumnMarkers("a ----- b"), "a b");
  EXPECT_EQ(RemoveColumnMarkers("a  b"), "a b");
  EXPECT_EQ(RemoveColumnMarkers("a    b"), "a b");
  EXPECT_EQ(RemoveColumnMarkers("a     b"), "a  b");  // five blanks: three, then two
  EXPECT_EQ(RemoveColumnMarkers("x-----y"), "x y");
}

TEST(AutoLineFeed, RealFontLinesFillTheWidthWithoutPassingIt) {
  const MeasureFn measure = PictureMeasure(576, 756, 12);
  EXPECT_EQ(measure(""), 0.0);
  EXPECT_GT(measure("amazing"), measure("amaze"));

  QStringList words;
  const QStringList pool = {"amazing", "grace", "how", "sweet", "the", "sound", "[Am]that", "saved", "a", "wretch"};
  for (int i = 0; i < 300; ++i) words << pool[(i * 7) % pool.size()];
  const QString text = words.join(' ');
  const int w = ReflowWidth(576, true);
  const QStringList lines = AutoLineFeed(text, w, measure).split('\r');
  ASSERT_GT(lines.size(), 5);
  EXPECT_EQ(lines.join(' '), text);  // no word lost or changed
  for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
    EXPECT_LE(10 + measure(lines[i] + ' '), w) << i;
    const QString next = lines[i + 1].section(' ', 0, 0);
    EXPECT_GT(10 + measure(lines[i] + ' ' + next + ' '), w) << i;
  }
}

TEST(ReflowLines, LinesWithTabsAreMeasuredWholeAsTheyAreDrawn) {
  // A tab's width depends on where it stands, so the widths of a line's words do not add up to the
  // width of the line: these lines must be measured whole. With the sheet's font at the default
  // word size and the centre line, breaking after "you" would give a line of about 280 units.
  const MeasureFn measure = PictureMeasure(576, 756, 12);
  const int w = ReflowWidth(576, true);
  const QString cases[] = {
      "and love gone love night away\t you away",
      "a\tb\tc\td\te\tf\tg\th\ti\tj\tk\tl\tm\tn\to\tp\tq\tr\ts\tt\tu\tv\tw\tx\ty\tz",
      "verse\tone\t\t[Am]la la\tla\t\tand\tthe\tnight  goes\ton\tand\ton\t\t\tuntil\tmorning\tcomes",
  };
  for (const QString& text : cases) {
    SCOPED_TRACE(text.toStdString());
    const QStringList lines = ReflowLines(text, w, measure).split('\r');
    EXPECT_EQ(lines.join(' ').toStdString(), text.toStdString());
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
      if (lines[i].contains(' ')) {  // a single word wider than the line stands alone
        EXPECT_LE(10 + measure(lines[i] + ' '), w) << i << ": " << lines[i].toStdString();
      }
      const QString next = lines[i + 1].section(' ', 0, 0);
      EXPECT_GT(10 + measure(lines[i] + ' ' + next + ' '), w) << i << ": " << lines[i].toStdString();
    }
  }
}

TEST(AutoLineFeed, TheMeasuringWorkGrowsLinearlyWithTheSong) {
  // Lines of words that are all different (so that no measure is saved by words seen before),
  // with a caption and a tab now and then; the work is the number of measure calls and the
  // characters they measure. Eight times the lines may cost eight times the work, not sixty-four.
  const auto song = [](int lines) {
    QStringList out;
    for (int i = 0; i < lines; ++i) {
      QString line = i % 10 == 0 ? QStringLiteral("{Verse %1}").arg(i) : QString();
      for (int k = 0; k < 6; ++k) line += QStringLiteral(" w%1x%2").arg(i).arg(k);
      if (i % 7 == 0) line += QStringLiteral("\tend");
      out << line;
    }
    return out.join('\r');
  };
  struct Work {
    double calls = 0, characters = 0;
  };
  const auto work = [&](int lines) {
    Work w;
    const MeasureFn counting = [&w](const QString& s) {
      ++w.calls;
      w.characters += double(s.size());
      return CharWidth(s);
    };
    const QString result = AutoLineFeed(song(lines), ReflowWidth(576, true), counting);
    EXPECT_GT(result.count('\r'), lines / 4);  // broken into many lines
    return w;
  };
  const Work small = work(400), large = work(3200);
  ASSERT_GT(small.calls, 0);
  EXPECT_LT(large.calls / small.calls, 12.0);
  EXPECT_LT(large.characters / small.characters, 12.0);
}
