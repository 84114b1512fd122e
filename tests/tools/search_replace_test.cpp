#include "tools/search_replace.h"

#include <gtest/gtest.h>

TEST(SearchFromCaret, ScansFromTheCharacterBeforeTheCaret) {
  const struct {
    const char* name;
    QString text;
    int selStart;
    QString term;
    std::optional<TextSelection> hit;
  } cases[] = {
      {"character just before the caret", "aGb", 2, "g", TextSelection{1, 1}},
      {"case ignored", "xx AM am", 0, "am", TextSelection{3, 2}},
      {"match at the very start", "am x", 0, "AM", TextSelection{0, 2}},
      {"caret at the start, later match", "ab x", 0, "x", TextSelection{3, 1}},
      {"found occurrence still selected stays put", "xx am yy am", 3, "am", TextSelection{3, 2}},
      {"an occurrence one before moves the selection", "aaa", 2, "aa", TextSelection{1, 2}},
      {"caret at the end, last character", "abc", 3, "C", TextSelection{2, 1}},
      {"caret at the end, longer term", "abc", 3, "bc", std::nullopt},
      {"nothing before the caret is found", "am x", 3, "am", std::nullopt},
      {"no match", "hello", 0, "z", std::nullopt},
      {"empty term", "hello", 0, "", std::nullopt},
      {"caret past the end", "abc", 10, "c", std::nullopt},
      {"negative caret reads as the start", "am", -4, "am", TextSelection{0, 2}},
      {"empty text", "", 0, "a", std::nullopt},
      {"line ends count as characters", "a\rbc", 2, "\rb", TextSelection{1, 2}},
  };
  for (const auto& c : cases) {
    const auto got = SearchFromCaret(c.text, c.selStart, c.term);
    ASSERT_EQ(got.has_value(), c.hit.has_value()) << c.name;
    if (!got) continue;
    EXPECT_EQ(got->selStart, c.hit->selStart) << c.name;
    EXPECT_EQ(got->selLength, c.hit->selLength) << c.name;
  }
}

TEST(ReplaceAllOccurrences, OneLeftToRightPassIgnoringCase) {
  const struct {
    QString text, term, with, out;
  } cases[] = {
      {"G g [g]", "g", "A", "A A [A]"},
      {"abcABC", "b", "", "acAC"},
      {"a a", "a", "aa", "aa aa"},     // the replacement holds the term: no rescan
      {"aaa", "aa", "a", "aa"},        // no overlapping matches
      {"nothing here", "xyz", "q", "nothing here"},
      {"text", "", "q", "text"},
      {"", "a", "b", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ReplaceAllOccurrences(c.text, c.term, c.with), c.out) << c.text.toStdString();
}
