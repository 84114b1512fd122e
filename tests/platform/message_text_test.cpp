#include <gtest/gtest.h>

#include <QStringList>

#include "platform/desktop/message_text.h"

TEST(BreakableText, MarksBreaksInsideLongRunsOnlyAndChangesNothingElse) {
  const QChar mark(0x200B);
  const QString twenty(20, QChar('W')), twentyOne(21, QChar('W'));
  const QString note = QString::fromUtf8("\xF0\x9F\x8E\xB5");  // one character, two code units
  const struct {
    QString text, expected;
  } cases[] = {
      {"", ""},
      {"Save Changes for Amazing Grace?", "Save Changes for Amazing Grace?"},
      {twenty, twenty},
      {twentyOne, QString(10, 'W') + mark + QString(10, 'W') + mark + "W"},
      {"a " + twentyOne + "\n" + twenty, "a " + QString(10, 'W') + mark + QString(10, 'W') + mark + "W\n" + twenty},
      // A break never falls between the two halves of a character.
      {QString(9, 'x') + note.repeated(6), QString(9, 'x') + note.left(2) + mark + note.repeated(5)},
  };
  for (const auto& c : cases) {
    const QString out = BreakableText(c.text);
    EXPECT_EQ(out.toStdU16String(), c.expected.toStdU16String()) << c.text.toStdString();
    EXPECT_EQ(QString(out).remove(mark), c.text);
  }
}

TEST(FitMessage, ShortensLongLinesInTheMiddleAndLeavesOutLinesAfterTheFirstOnes) {
  const QChar ellipsis(0x2026), isolate(0x2068), endIsolate(0x2069);
  QStringList hundred;
  for (int i = 1; i <= 100; ++i) hundred << QString::number(i);
  const struct {
    QString message;
    QString shown;
    bool cut;
  } cases[] = {
      {"", "", false},
      {"The song could not be saved.\n\nDisk full", "The song could not be saved.\n\nDisk full", false},
      {"Save Changes for " + QString(100, 'W') + "?",
       "Save Changes for " + QString(8, 'W') + ellipsis + QString(23, 'W') + "?", true},
      {"a\nb\nc\nd\n", QString("a\nb\nc\n") + ellipsis, true},
      {"a\nb\nc\nd", "a\nb\nc\nd", false},
      {"a\nb\nc\nd\ne", QString("a\nb\nc\n") + ellipsis, true},
      {hundred.join('\n'), QString("1\n2\n3\n") + ellipsis, true},
      // Shown text cut in its middle stays isolated from the words around it.
      {QString("Save \"") + isolate + QString(100, 'W') + endIsolate + "\"?",
       QString("Save \"") + isolate + QString(18, 'W') + endIsolate + ellipsis + isolate + QString(21, 'W') +
           endIsolate + "\"?",
       true},
      // Cut though the marks that keep it isolated make it as long as it was.
      {QString(24, 'a') + isolate + "b" + endIsolate + QString(24, 'c'),
       QString(24, 'a') + isolate + endIsolate + ellipsis + QString(24, 'c'), true},
  };
  for (const auto& c : cases) {
    const FittedMessage fitted = FitMessage(c.message, 4, 50);
    EXPECT_EQ(fitted.text.toStdU16String(), c.shown.toStdU16String()) << c.message.left(60).toStdString();
    EXPECT_EQ(fitted.cut, c.cut) << c.message.left(60).toStdString();
  }
  // A huge line costs only what is kept.
  EXPECT_EQ(FitMessage(QString(1000000, 'x'), 4, 50).text.size(), 50);
}

TEST(DetailsText, BreaksOnlyLinesLongerThanAThousandCharactersAndKeepsEveryCharacter) {
  const QString note = QString::fromUtf8("\xF0\x9F\x8E\xB5");
  const struct {
    QString message, details;
  } cases[] = {
      {"", ""},
      {"short\n\nlines", "short\n\nlines"},
      {QString(1000, 'a') + "\n" + QString(1000, 'b'), QString(1000, 'a') + "\n" + QString(1000, 'b')},
      {QString(2500, 'a'), QString(1000, 'a') + "\n" + QString(1000, 'a') + "\n" + QString(500, 'a')},
      // Never between the two halves of a character.
      {QString(999, 'a') + note + "b", QString(999, 'a') + note.left(1) + note.right(1) + "\nb"},
  };
  for (const auto& c : cases) EXPECT_EQ(DetailsText(c.message).toStdU16String(), c.details.toStdU16String());
}
