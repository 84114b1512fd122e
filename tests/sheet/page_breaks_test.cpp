// The page-break places kept in step with edits: after any run of edits they are the places a
// search of the whole text finds, also for markers that overlap themselves and for edits that
// make, break, join or split markers.
#include <gtest/gtest.h>

#include <QString>
#include <random>

#include "sheet/page_breaks.h"

namespace {
std::vector<qsizetype> Found(const QString& text, const QString& marker) {
  PageBreaks b;
  b.Find(text, marker);
  return b.At();
}
}  // namespace

TEST(PageBreaks, EditsKeepThePlacesAWholeSearchFinds) {
  // Texts of few letters, so that edits often touch and overlap markers.
  const struct {
    const char* marker;
    const char* letters;
  } cases[] = {{"+++++", "++++a\r"}, {"++", "+a"}, {"aba", "ab+"}, {"x", "xy"}, {"ab", "abc\r"}};
  std::mt19937 random(7);
  for (const auto& c : cases) {
    const QString marker = QString::fromUtf8(c.marker), letters = QString::fromUtf8(c.letters);
    const auto some = [&](qsizetype n) {
      QString s;
      for (qsizetype i = 0; i < n; ++i) s += letters[static_cast<qsizetype>(random() % letters.size())];
      return s;
    };
    QString text = some(60);
    PageBreaks kept;
    kept.Find(text, marker);
    for (int step = 0; step < 3000; ++step) {
      const auto from = static_cast<qsizetype>(random() % (text.size() + 1));
      const auto removed = std::min<qsizetype>(static_cast<qsizetype>(random() % 8), text.size() - from);
      const QString added = some(static_cast<qsizetype>(random() % 8));
      const QString before = text;
      text.replace(from, removed, added);
      kept.Edit(text, from, removed, added.size());
      ASSERT_EQ(kept.At(), Found(text, marker))
          << c.marker << ": " << before.toStdString() << " -> " << text.toStdString() << " (at " << from << ")";
      if (text.size() > 200) text = text.first(100), kept.Find(text, marker);
    }
  }
}

TEST(PageBreaks, AnEmptyMarkerStandsNowhere) {
  PageBreaks b;
  b.Find(QStringLiteral("a+++++b"), QString());
  b.Edit(QStringLiteral("a+++++b+++++"), 7, 0, 5);
  EXPECT_TRUE(b.At().empty());
}
