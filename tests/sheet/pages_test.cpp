#include <gtest/gtest.h>

#include "platform/core/strings.h"
#include "sheet/pages.h"

namespace {
const QString kMarker = QStringLiteral("+++++");

// The page rule written the plain way: cut the whole text at the marker.
struct CutPage {
  int pieces = 0;
  int number = 1;
  QString text;
};
CutPage ByCutting(const QString& song, const QString& marker, int page) {
  const QStringList pieces = Split(song, marker);
  CutPage p;
  p.pieces = static_cast<int>(pieces.size());
  if (p.pieces < 2) {
    p.text = Trim(song);
    return p;
  }
  p.number = std::clamp(page, 1, p.pieces);
  p.text = Trim(pieces[p.number - 1]);
  return p;
}
}  // namespace

TEST(Pages, FindPageAgreesWithCuttingTheWholeText) {
  const QString songs[] = {"",
                           "a",
                           "a+++++b",
                           "a+++++",
                           "+++++",
                           "+++++a",
                           "a+++++++++++b",
                           "a++++++b",
                           "x\r+++++\r+++++\r y \r",
                           " one \r+++++two+++++ three\r\n",
                           "+++++++++",
                           "a++++",
                           "++++",
                           "aab abab",
                           "ABab",
                           "x"};
  for (const QString& marker : {kMarker, QStringLiteral("ab"), QStringLiteral("x")})
    for (const QString& s : songs)
      for (int page = -1; page <= 6; ++page) {
        const CutPage want = ByCutting(s, marker, page);
        const SongPage got = FindPage(s, marker, page);
        const std::string at = s.toStdString() + " / " + marker.toStdString() + " page " + std::to_string(page);
        EXPECT_EQ(got.pieces, want.pieces) << at;
        EXPECT_EQ(got.number, want.number) << at;
        EXPECT_EQ(got.text.toString(), want.text) << at;
        EXPECT_EQ(CountPages(s, marker), std::max(1, want.pieces)) << at;
      }
}

TEST(Pages, PageSelectionEdgeCases) {
  struct Row {
    QString song;
    int page;
    int number;
    QString text;
    int count;
  };
  const Row rows[] = {
      {"", 1, 1, "", 1},          {"a+++++b", 3, 2, "b", 2},      {"a+++++", 2, 2, "", 2},
      {"+++++", 1, 1, "", 2},     {"a+++++++++++b", 2, 2, "", 3},  // two markers in a row: an empty page between
      {" x \r\n", 5, 1, "x", 1},                                   // no marker: the whole text for any page
      {"a+++++b", 0, 1, "a", 2},                                   // below 1 reads the first page
      {"A+++++b", -4, 1, "A", 2},
  };
  for (const auto& r : rows) {
    const SongPage p = FindPage(r.song, kMarker, r.page);
    EXPECT_EQ(p.number, r.number) << r.song.toStdString();
    EXPECT_EQ(p.text.toString(), r.text) << r.song.toStdString();
    EXPECT_EQ(CountPages(r.song, kMarker), r.count) << r.song.toStdString();
  }
  EXPECT_EQ(CountPages("abc", ""), 1);
  EXPECT_EQ(CountPages("aXb", "x"), 1);  // the marker's letter case counts
}

// A print asks about the same text once per page, and the answers for a text are kept; a text
// edited in place (same variable, same length) or read at another marker is a new question.
TEST(Pages, AnswersFollowATextEditedInPlace) {
  QString song = "one+++++two+++++three";
  ASSERT_EQ(CountPages(song, kMarker), 3);
  EXPECT_EQ(FindPage(song, kMarker, 2).text.toString(), "two");
  song[4] = 'x';  // "one+x+++two+++++three": the first marker is gone
  EXPECT_EQ(CountPages(song, kMarker), 2);
  EXPECT_EQ(FindPage(song, kMarker, 1).text.toString(), "one+x+++two");
  song[4] = '+';
  song[11] = '-';  // "one+++++two-++++three": the marker moved to the first break
  EXPECT_EQ(CountPages(song, kMarker), 2);
  EXPECT_EQ(FindPage(song, kMarker, 2).text.toString(), "two-++++three");
  EXPECT_EQ(FindPage(song, "-", 1).text.toString(), "one+++++two");
  const QString copy = song;  // a copy shares the text and reads the same pages
  EXPECT_EQ(FindPage(copy, kMarker, 1).text.toString(), "one");
}

TEST(Pages, PageNumberIsLoweredToTheCountAndNeverBelowOne) {
  struct Row {
    int current, total, want;
  };
  const Row rows[] = {{3, 2, 2}, {1, 2, 1}, {2, 2, 2}, {3, 1, 1}, {0, 1, 1}, {0, 4, 1}, {-2, 3, 1}};
  for (const auto& r : rows) EXPECT_EQ(PageNumberFor(r.current, r.total), r.want) << r.current << "/" << r.total;
  EXPECT_EQ(PageLabelText(1), "Page: 1");
  EXPECT_EQ(PageLabelText(12), "Page: 12");
}

TEST(Pages, ScaleAndWindowTitle) {
  EXPECT_EQ(DpiScale(72.0), 1.0);
  EXPECT_EQ(DpiScale(144.0), 2.0);
  EXPECT_DOUBLE_EQ(DpiScale(108.0), 1.5);
  EXPECT_EQ(WindowTitleFor(""), "Harmonote");
  EXPECT_EQ(WindowTitleFor("  \t"), "Harmonote");
  EXPECT_EQ(WindowTitleFor("Grace"), "Harmonote - Grace");
  EXPECT_EQ(WindowTitleFor(" Grace "), "Harmonote -  Grace ");
}
