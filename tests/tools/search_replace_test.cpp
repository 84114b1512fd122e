#include "tools/search_replace.h"

#include <gtest/gtest.h>

#include <vector>

TEST(SearchFromCaret, ScansFromAfterTheCaretOrAfterTheSelectionsFirstCharacter) {
  const struct {
    const char* name;
    QString text;
    int selStart, selLength;
    QString term;
    std::optional<TextSelection> hit;
  } cases[] = {
      {"the character before the caret is not looked at", "aGb", 2, 0, "g", std::nullopt},
      {"the character after the caret is", "aGb", 1, 0, "g", TextSelection{1, 1}},
      {"case ignored", "xx AM am", 0, 0, "am", TextSelection{3, 2}},
      {"caret at the start finds position 1", "am x", 0, 0, "AM", TextSelection{0, 2}},
      {"caret at the start, later match", "ab x", 0, 0, "x", TextSelection{3, 1}},
      {"a selected occurrence steps to the next", "xx am yy am", 3, 2, "am", TextSelection{9, 2}},
      {"the last selected occurrence finds nothing", "xx am yy am", 9, 2, "am", std::nullopt},
      {"overlapping occurrences step by one", "aaaa", 1, 2, "aa", TextSelection{2, 2}},
      {"a selection of another text steps past its first character", "gxg", 0, 2, "g", TextSelection{2, 1}},
      {"caret at the end finds nothing", "abc", 3, 0, "c", std::nullopt},
      {"caret before the last character", "abc", 2, 0, "C", TextSelection{2, 1}},
      {"no match", "hello", 0, 0, "z", std::nullopt},
      {"empty term", "hello", 0, 0, "", std::nullopt},
      {"caret past the end", "abc", 10, 0, "c", std::nullopt},
      {"negative caret reads as the start", "am", -4, 0, "am", TextSelection{0, 2}},
      {"empty text", "", 0, 0, "a", std::nullopt},
      {"line ends count as characters", "a\rbc", 1, 0, "\rb", TextSelection{1, 2}},
  };
  for (const auto& c : cases) {
    const auto got = SearchFromCaret(c.text, c.selStart, c.selLength, c.term);
    ASSERT_EQ(got.has_value(), c.hit.has_value()) << c.name;
    if (got) {
      EXPECT_EQ(got->selStart, c.hit->selStart) << c.name;
      EXPECT_EQ(got->selLength, c.hit->selLength) << c.name;
    }
  }
}

TEST(SearchFromCaret, SearchingAgainVisitsEveryOccurrenceInTurn) {
  const struct {
    QString text, term;
    std::vector<int> starts;
  } cases[] = {
      {"G la g la [G]", "g", {0, 5, 11}},
      {"aaaa", "aa", {0, 1, 2}},
      {"Am am AM", "am", {0, 3, 6}},
  };
  for (const auto& c : cases) {
    std::vector<int> starts;
    int selStart = 0, selLength = 0;  // caret at the start, nothing selected
    while (const auto found = SearchFromCaret(c.text, selStart, selLength, c.term)) {
      starts.push_back(found->selStart);
      selStart = found->selStart;
      selLength = found->selLength;
      ASSERT_LE(starts.size(), c.starts.size()) << c.text.toStdString();
    }
    EXPECT_EQ(starts, c.starts) << c.text.toStdString();
  }
}

TEST(ReplaceAllOccurrences, OneLeftToRightPassIgnoringCase) {
  const struct {
    QString text, term, with, out;
  } cases[] = {
      {"G g [g]", "g", "A", "A A [A]"},
      {"abcABC", "b", "", "acAC"},
      {"a a", "a", "aa", "aa aa"},  // the replacement holds the term: no rescan
      {"aaa", "aa", "a", "aa"},     // no overlapping matches
      {"nothing here", "xyz", "q", "nothing here"},
      {"text", "", "q", "text"},
      {"", "a", "b", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ReplaceAllOccurrences(c.text, c.term, c.with), c.out) << c.text.toStdString();
}
