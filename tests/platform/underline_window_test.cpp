// Which misspelt words of a long line are underlined: those reaching into the window around the
// part on screen, kNearWords words either side of it.
#include <gtest/gtest.h>

#include "platform/desktop/underline_window.h"

namespace {

constexpr int kNear = UnderlineWindow::kNearWords;
constexpr int kEnd = UnderlineWindow::kLineEnd;

// count misspelt words of 3 characters, one every 10 characters: word i is [10 i, 10 i + 3).
Underlines Words(int count) {
  Underlines words;
  for (int i = 0; i < count; ++i) words.append({10 * i, 3});
  return words;
}

}  // namespace

TEST(UnderlineWindow, ReachesTheNearWordsEitherSideOfThePartShownOrTheLinesEnds) {
  struct Case {
    const char* what;
    int words;
    std::pair<int, int> shown;
    UnderlineWindow window;
  } cases[] = {
      {"words enough either side", 1000, {5000, 5100}, {10 * (500 - kNear), 10 * (510 + kNear)}},
      // The words shown are those that reach into it: 499 ends at 4993, inside; 510 begins at its end.
      {"a word reaching in from before counts as shown", 1000, {4992, 5100}, {10 * (499 - kNear), 10 * (510 + kNear)}},
      {"exactly the near words before: from the line's start",
       1000,
       {10 * kNear, 10 * kNear + 5},
       {0, 10 * (2 * kNear + 1)}},
      {"one more before: from the first of them",
       1000,
       {10 * (kNear + 1), 10 * (kNear + 1) + 5},
       {10, 10 * (2 * kNear + 2)}},
      {"exactly the near words after: to the line's end",
       1000,
       {10 * (999 - kNear), 10 * (999 - kNear) + 5},
       {10 * (999 - 2 * kNear), kEnd}},
      {"nothing shown yet: from the line's start", 1000, {0, 0}, {0, 10 * kNear}},
      {"fewer words than the near ones: the whole line", 50, {200, 210}, {0, kEnd}},
      {"no word at all", 0, {200, 210}, {0, kEnd}},
  };
  for (const Case& c : cases) {
    const UnderlineWindow w = UnderlineWindow::Around(Words(c.words), c.shown);
    EXPECT_EQ(w, c.window) << c.what << ": got [" << w.From() << ", " << w.To() << ")";
  }
}

TEST(UnderlineWindow, CoversWhatLiesWithinIt) {
  const UnderlineWindow w(100, 200);
  EXPECT_TRUE(w.Covers({100, 200}));
  EXPECT_TRUE(w.Covers({150, 160}));
  EXPECT_FALSE(w.Covers({99, 150}));
  EXPECT_FALSE(w.Covers({150, 201}));
  EXPECT_TRUE(UnderlineWindow().Covers({0, 1 << 30}));
}

TEST(UnderlineWindow, MovesWithTheTextOfAnEdit) {
  struct Case {
    const char* what;
    UnderlineWindow before;
    int at, shift;
    UnderlineWindow after;
  } cases[] = {
      {"typed before it", {100, 200}, 50, 3, {103, 203}},
      {"typed at its start", {100, 200}, 100, 3, {103, 203}},
      {"typed inside it", {100, 200}, 150, 3, {100, 203}},
      {"typed after it", {100, 200}, 250, 3, {100, 200}},
      {"removed before it", {100, 200}, 50, -10, {90, 190}},
      {"removed over its start: the start goes where the removal was", {100, 200}, 95, -10, {95, 190}},
      {"removed over its end", {100, 200}, 195, -10, {100, 195}},
      {"the line's end stays the line's end", {100, kEnd}, 50, -10, {90, kEnd}},
  };
  for (const Case& c : cases) {
    UnderlineWindow w = c.before;
    w.Move(c.at, c.shift);
    EXPECT_EQ(w, c.after) << c.what << ": got [" << w.From() << ", " << w.To() << ")";
  }
}

TEST(UnderlineWindow, TheWordsUnderlinedAreThoseReachingIntoIt) {
  const Underlines words = Words(100);  // word i is [10 i, 10 i + 3)
  struct Case {
    UnderlineWindow window;
    std::pair<qsizetype, qsizetype> reaching;
  } cases[] = {
      {{0, kEnd}, {0, 100}},      {{100, 200}, {10, 20}},
      {{103, 200}, {11, 20}},  // word 10 ends where the window begins
      {{102, 201}, {10, 21}},  // word 10 reaches in by one character, word 20 begins inside
      {{104, 109}, {11, 11}},  // between two words
      {{5000, kEnd}, {100, 100}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.window.Reaching(words), c.reaching) << "[" << c.window.From() << ", " << c.window.To() << ")";
}
