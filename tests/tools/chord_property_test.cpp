// The fast chord tools against a literal rendering of the same rules, on random input.
#include <gtest/gtest.h>

#include <random>

#include "platform/core/strings.h"
#include "tools/chord_conversion.h"
#include "tools/chord_detection.h"
#include "tools/chord_names.h"

namespace {

const QString kCR(QChar(13));

QString LiteralDetect(const QString& text, const QString& wordList) {
  const QString upperList = "," + CreateAllChords(true);
  const QStringList names = Split(CreateAllChords(false), ",");
  QStringList words = Split(ReplaceAllB(text, QString(QChar(10)), kCR), " ");
  for (QString& w : words) {
    if (Trim(w).isEmpty()) continue;
    QString up = Uppercase(w);
    if (Left(up, 1) == kCR) up = Mid(up, 2);
    const QString t = Trim(w);
    if (StrComp(t, "a") == 0 || StrComp(t, "am") == 0 || StrComp(t, "be") == 0) up = Lowercase(up);
    if (InStrB(upperList, "," + up + ",") > 0) {
      w = Left(w, 1) == kCR ? kCR + "[" + Mid(w, 2) + "]" : "[" + w + "]";
      continue;
    }
    if (InStr(wordList, "," + Uppercase(up) + ",") > 0) continue;
    if (InStr(up, "*") > 0) continue;
    QString o = up;
    for (int i = static_cast<int>(names.size()) - 1; i >= 0; --i) o = ReplaceAll(o, names[i], "*");
    if (o.size() < 2 || o.size() > 6 || o != QString(o.size(), u'*')) continue;
    o = w;
    QStringList found;
    for (int i = static_cast<int>(names.size()) - 1; i >= 0; --i) {
      if (InStr(o, names[i]) == 0) continue;
      found << names[i];
      o = ReplaceAll(o, names[i], "[%" + Str(static_cast<int>(found.size()) - 1) + "]");
    }
    for (int j = 0; j < found.size(); ++j) o = ReplaceAll(o, "[%" + Str(j) + "]", "[" + found[j] + "]");
    w = o;
  }
  QString out = Join(words, " ");
  for (const auto& [from, to] : {std::pair<QString, QString>{"  ", " "}, {"  ", " "}, {"] ", "]"}, {"][", "] ["}}) {
    out = ReplaceAll(out, from, to);
  }
  return out;
}

bool LiteralIsChordLine(const QString& line) {
  const QStringList names = Split(CreateAllChords(true), ",");
  QString u = Uppercase(line);
  for (int i = static_cast<int>(names.size()) - 1; i >= 0; --i) u = ReplaceAll(u, names[i], "");
  u = ReplaceAll(ReplaceAll(u, "/", ""), "[]", "");
  return !line.isEmpty() && Trim(u).isEmpty();
}

QString LiteralConvert(const QString& text) {
  auto collapse = [](const QString& t) { return ReplaceAll(ReplaceAll(t, kCR + kCR + kCR, kCR), kCR + kCR, kCR); };
  QStringList lines = Split(collapse(ReplaceAll(text, QString(QChar(10)), kCR)), kCR);
  for (int i = 0; i < lines.size(); ++i) {
    const QString l = lines[i];
    if (!LiteralIsChordLine(l) || i + 1 == lines.size()) continue;
    int inserted = 0;
    int c = 1;
    while (c <= Len(l)) {
      if (Mid(l, c, 1).at(0).isSpace()) {
        ++c;
        continue;
      }
      int j = c;
      while (j <= Len(l) && !Mid(l, j, 1).at(0).isSpace()) ++j;
      const QString token = Mid(l, c, j - c);
      const QString marker = Left(token, 1) == "[" && Right(token, 1) == "]" ? token : "[" + token + "]";
      const QString below = lines[i + 1];
      const int head = c - 1 + inserted;
      lines[i + 1] = Left(below, head) + marker + Mid(below, head + 1);
      inserted += Len(marker);
      c = j;
    }
    lines[i + 1] = Trim(lines[i + 1]);
    lines[i] = "";
  }
  return collapse(Join(lines, kCR));
}

class Random {
 public:
  explicit Random(unsigned seed) : rnd_(seed) {}
  int Below(int n) { return static_cast<int>(rnd_() % static_cast<unsigned>(n)); }
  QString Pick(const QStringList& from) { return from[Below(static_cast<int>(from.size()))]; }
  QString Name() {
    const QStringList& names = ChordNamePieces(false);
    QString n = names[Below(7854)];
    return Below(3) == 0 ? n.toLower() : Below(2) == 0 ? n.toUpper() : n;
  }
  // Pieces of chord names, other letters and signs, glued into one word.
  QString Word() {
    static const QStringList bits = {"A", "b",  "m", "M", "j",  "a",  "7",  "9",      "(",     ")",      "/",
                                     "#", "S",  "u", "x", "*",  ",",  "e",  "D",      "sus",   "\u017f", "ß",
                                     "ﬀ", "\r", "[", "]", "be", "am", "%0", "\u212a", "Cmaj9/"};
    QString w;
    const int n = 1 + Below(6);
    for (int i = 0; i < n; ++i) w += Below(2) ? Name() : Pick(bits);
    return w;
  }

 private:
  std::mt19937 rnd_;
};

}  // namespace

TEST(ChordToolsProperty, DetectionMatchesTheLiteralRules) {
  Random r(7);
  const QString listText = ",BE,BAD,FACE,AMA,CCC,";
  const WordList list(listText);
  for (int round = 0; round < 40; ++round) {
    QString text;
    const int n = 1 + r.Below(8);
    for (int i = 0; i < n; ++i) {
      text += r.Below(4) == 0 ? r.Pick({"a", "am", "be", "\rAm", "Bb,B", "", "\n"}) : r.Word();
      text += r.Pick({" ", " ", "  ", "\n", "     "});
    }
    EXPECT_EQ(AutoDetectChords(text, list), LiteralDetect(text, listText)) << text.toStdString();
    EXPECT_EQ(AutoDetectChords(text, WordList()), LiteralDetect(text, "")) << text.toStdString();
  }
}

TEST(ChordToolsProperty, ChordLineTestMatchesTheLiteralRules) {
  // Glued letters and signs of chord names, where removing one name can join the rest into another.
  Random r(11);
  const QStringList bits = {"A", "B", "C", "D", "G", "M", "J",  "A7",  "S",   "U",  "(",  ")", "2",
                            "4", "9", "/", "[", "]", " ", "\t", "SUS", "MAJ", "E#", "Bb", "x"};
  for (int round = 0; round < 150; ++round) {
    QString line;
    const int n = 1 + r.Below(10);
    for (int i = 0; i < n; ++i) line += r.Below(3) == 0 ? r.Name() : r.Pick(bits);
    EXPECT_EQ(IsChordLine(line), LiteralIsChordLine(line)) << line.toStdString();
  }
}

TEST(ChordToolsProperty, ConversionMatchesTheLiteralRules) {
  Random r(5);
  const QStringList lyrics = {"Hello there", "  amazing grace  ", "Bad Face", "a", "", "x y", "how sweet the sound"};
  for (int round = 0; round < 25; ++round) {
    QString text;
    const int n = 1 + r.Below(6);
    for (int i = 0; i < n; ++i) {
      QString chords;
      const int k = r.Below(4);
      for (int j = 0; j < k; ++j) {
        chords += QString(r.Below(4), u' ') + r.Pick({"", "\t", " "});
        chords += r.Below(5) == 0 ? r.Pick({"[C]", "[]", "/", "[C]G"}) : r.Name();
      }
      text += chords + r.Pick({"\r", "\n", "\r\r"}) + r.Pick(lyrics) + r.Pick({"\r", "\n", "\n\n\n"});
    }
    EXPECT_EQ(ConvertChordsToInlineChords(text), LiteralConvert(text)) << text.toStdString();
  }
}

TEST(ChordToolsProperty, LongChordLinesMatchTheLiteralRules) {
  // Long lines of names, glued names and bracketed names, apart by blanks, tabs and "[]"; now and
  // then a glued piece that may or may not come apart, so that both answers are met.
  Random r(23);
  const QStringList bits = {"A", "B", "C", "D", "G",   "M",   "J",  "A7", "S", "U", "(", ")",
                            "2", "4", "9", "/", "SUS", "MAJ", "E#", "Bb", "x", "[", "]"};
  int chordLines = 0;
  for (int round = 0; round < 40; ++round) {
    QString line = r.Pick({"", " ", "\t"});
    const int words = 100 + r.Below(100);
    for (int i = 0; i < words; ++i) {
      switch (r.Below(8)) {
        case 0:
          line += r.Name() + r.Name();
          break;
        case 1:
          line += "[" + r.Name() + "]";
          break;
        case 2:
          line += r.Name() + "/" + r.Name();
          break;
        case 3:
          if (r.Below(6) == 0)
            line += r.Pick(bits) + r.Pick(bits);
          else
            line += r.Name();
          break;
        default:
          line += r.Name();
          break;
      }
      line += r.Pick({" ", " ", "  ", "\t", " [] ", "\u00a0"});
    }
    const bool literal = LiteralIsChordLine(line);
    chordLines += literal ? 1 : 0;
    EXPECT_EQ(IsChordLine(line), literal) << line.toStdString();
  }
  EXPECT_GT(chordLines, 3);
  EXPECT_LT(chordLines, 37);
}

TEST(ChordToolsProperty, LongLineConversionMatchesTheLiteralRules) {
  // Long chord lines over lyric lines shorter and longer than they are, chord lines one over the
  // other, tabs among the chords and chords already in brackets.
  Random r(17);
  for (int round = 0; round < 12; ++round) {
    QString text;
    const int pairs = 1 + r.Below(3);
    for (int p = 0; p < pairs; ++p) {
      const int chords = 100 + r.Below(200);
      for (int stacked = r.Below(4) == 0 ? 2 : 1; stacked > 0; --stacked) {
        QString line;
        for (int i = 0; i < chords; ++i) {
          line += QString(r.Below(5), u' ') + r.Pick({"", "", "\t"});
          line += r.Below(6) == 0 ? r.Pick({"[C]", "[]", "/", "[G7]"}) : r.Name();
        }
        text += line + kCR;
      }
      QString lyric;
      const int words = r.Below(3) == 0 ? r.Below(20) : 200 + r.Below(800);
      for (int i = 0; i < words; ++i) {
        lyric += r.Pick({"hello", "amazing", "grace", "how", "sweet", "the", "sound", "*bold*", "<p", "q>"});
        lyric += r.Pick({" ", " ", "  ", "\t"});
      }
      text += lyric + r.Pick({"\r", "\n", "\n\n\n"});
    }
    EXPECT_EQ(ConvertChordsToInlineChords(text), LiteralConvert(text)) << text.left(300).toStdString();
  }
}
