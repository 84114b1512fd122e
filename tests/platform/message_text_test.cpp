#include <gtest/gtest.h>

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
