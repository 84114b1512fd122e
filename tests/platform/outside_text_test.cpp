#include <gtest/gtest.h>

#include "platform/core/outside_text.h"

namespace {
const QString kNote = QString::fromUtf8("\xF0\x9F\x8E\xB5");  // one character, two code units
const QString kIsolate(QChar(0x2068)), kEndIsolate(QChar(0x2069)), kOverride(QChar(0x202E));
}  // namespace

TEST(ShownText, EscapesControlCharactersAndIsolatesBidiRunsAndLeavesTheRestAlone) {
  const struct {
    QString text, shown;
  } cases[] = {
      {"Amazing Grace", "Amazing Grace"},
      {"<h1>BIG</h1> & <img src=/dev/zero>", "<h1>BIG</h1> & <img src=/dev/zero>"},  // markup is the box's affair
      {QString::fromUtf8("caf\u00e9 ") + kNote, QString::fromUtf8("caf\u00e9 ") + kNote},
      {QString::fromUtf8("\u05e9\u05dc\u05d5\u05dd"),
       QString::fromUtf8("\u05e9\u05dc\u05d5\u05dd")},  // no control: as it is
      {"line\nbreak\ttab\x1B[31m\a", "line\\x0Abreak\\x09tab\\x1B[31m\\x07"},
      {QString("a") + QChar(0x7F) + QChar(0x85), "a\\x7F\\xC2\\x85"},
      {QString("abc") + kOverride + "def", kIsolate + "abc" + kOverride + "def" + kEndIsolate},
      // An isolate of its own is kept; one closing more than it opened is escaped, so it cannot end
      // the isolate around the whole.
      {QString(QChar(0x2067)) + "x" + kEndIsolate, kIsolate + QChar(0x2067) + "x" + kEndIsolate + kEndIsolate},
      {QString("x") + kEndIsolate + kOverride, kIsolate + "x\\xE2\\x81\\xA9" + kOverride + kEndIsolate},
      // One opened and never closed is closed before the isolate around the whole ends.
      {QString(QChar(0x2067)) + "x", kIsolate + QChar(0x2067) + "x" + kEndIsolate + kEndIsolate},
      {QString("a") + QChar(0x2066) + QChar(0x2068) + "b" + kEndIsolate + "c",
       kIsolate + "a" + QChar(0x2066) + QChar(0x2068) + "b" + kEndIsolate + "c" + kEndIsolate + kEndIsolate},
      // Line and paragraph separators break lines as a line feed does.
      {QString::fromUtf8("Line\u2028Sep\u2029Para"), "Line\\xE2\\x80\\xA8Sep\\xE2\\x80\\xA9Para"},
      // A surrogate without its partner has no UTF-8 form: the bytes it would have, as a file name
      // holding them is shown.
      {QString("a") + QChar(0xD800) + "b" + QChar(0xDFFF), "a\\xED\\xA0\\x80b\\xED\\xBF\\xBF"},
      {kNote.left(1) + kNote, "\\xED\\xA0\\xBC" + kNote},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ShownText(c.text).toStdU16String(), c.shown.toStdU16String()) << c.text.toStdString();
}

TEST(ReadableName, EscapesTheC1ControlsOfValidUtf8Too) {
  EXPECT_EQ(ReadableName("a\xC2\x9B"
                         "b"),
            "a\\xC2\\x9Bb");
  EXPECT_EQ(ReadableName("caf\xC3\xA9"), QString::fromUtf8("caf\u00e9"));
}

TEST(MiddleShortened, KeepsBothEndsAndNeverSplitsACharacter) {
  const struct {
    QString text;
    qsizetype max;
    QString shortened;
  } cases[] = {
      {"abcdefghij", 10, "abcdefghij"},
      {"abcdefghij", 9, QString("abcd") + QChar(0x2026) + "ghij"},
      {"abcdefghij", 6, QString("abc") + QChar(0x2026) + "ij"},
      {"abcdefghij", 0, QString("a") + QChar(0x2026) + "j"},
      {kNote.repeated(10), 10, kNote.repeated(10)},  // ten characters in twenty code units
      {kNote.repeated(10), 5, kNote.repeated(2) + QChar(0x2026) + kNote.repeated(2)},
      // An isolate cut apart is closed before the "…" and opened again after it, so that the rest
      // of the line stays out of it.
      {kIsolate + "abcdefgh" + kEndIsolate, 6,
       kIsolate + "ab" + kEndIsolate + QChar(0x2026) + kIsolate + "h" + kEndIsolate},
      {"x" + kIsolate + kIsolate + "abcdefgh" + kEndIsolate + kEndIsolate + "y", 9,
       "x" + kIsolate + kIsolate + "a" + kEndIsolate + kEndIsolate + QChar(0x2026) + kIsolate + kIsolate + "h" +
           kEndIsolate + kEndIsolate + "y"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MiddleShortened(c.text, c.max).toStdU16String(), c.shortened.toStdU16String()) << c.max;
  EXPECT_EQ(MiddleShortened(QString(1000000, 'x'), 101).size(), 101);
}

TEST(Utf8Prefix, CutsAtACharacterBoundaryWithinTheBytes) {
  const QString e = QString::fromUtf8("\u00e9");  // two bytes
  const struct {
    QString text;
    qsizetype bytes;
    QString prefix;
  } cases[] = {
      {"abc", 3, "abc"}, {"abc", 2, "ab"},      {e + e, 3, e},
      {e + e, 4, e + e}, {"a" + kNote, 4, "a"}, {"a" + kNote, 5, "a" + kNote},
      {"abc", 0, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8Prefix(c.text, c.bytes), c.prefix) << c.bytes;
}

TEST(WithoutControls, BlanksWhatBreaksOrTurnsTheLineAndDropsWhatShowsNothing) {
  const QString joined = QString::fromUtf8("\U0001F469\u200D\U0001F4BB");  // one picture of two
  const QString persian = QString::fromUtf8("\u0645\u06CC\u200C\u062E\u0648\u0627\u0647\u0645");
  const QString england = QString::fromUtf8("\U0001F3F4\U000E0067\U000E0062\U000E0065\U000E006E\U000E0067\U000E007F");
  const struct {
    QString text, name;
  } cases[] = {
      {QString("a\nb\tc\x1B") + kOverride + QChar(0x200F) + "d", "a b c   d"},
      {QString::fromUtf8("caf\u00e9"), QString::fromUtf8("caf\u00e9")},
      {QString::fromUtf8("Line\u2028Sep\u2029Para"), "Line Sep Para"},
      {QString("a") + QChar(0xDC00) + "b" + QChar(0xD800), "a b "},
      // Invisible format characters are left out, as the name shows them.
      {QString::fromUtf8("\uFEFFZero\u200BWidth Soft\u00ADHyphen Word\u2060Joiner"), "ZeroWidth SoftHyphen WordJoiner"},
      {QString::fromUtf8("f\u2061x\u2062y\u206Az\uFFF9a\uFFFBb\U0001D173c\U000E0001d"), "fxyzabcd"},
      // Those that join letters or pictures are kept.
      {joined, joined},
      {persian, persian},
      {england, england},
  };
  for (const auto& c : cases)
    EXPECT_EQ(WithoutControls(c.text).toStdU16String(), c.name.toStdU16String()) << c.text.toStdString();
}
