#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "platform/core/strings.h"

TEST(Strings, InStrIsOneBasedAndIgnoresCase) {
  struct Row {
    int start;
    const char* s;
    const char* f;
    int want;
  };
  const Row rows[] = {
      {0, "Amazing grace", "GRACE", 9},
      {0, "abc", "", 0},
      {0, "", "a", 0},
      {0, "abc", "d", 0},
      {1, "abab", "ab", 1},
      {2, "abab", "ab", 3},
      {-5, "abab", "b", 2},
      {99, "abab", "a", 0},
      {5, "abab", "a", 0},
  };
  for (const Row& r : rows) EXPECT_EQ(InStr(r.start, r.s, r.f), r.want) << r.s << " / " << r.f;
  EXPECT_EQ(InStrB("Amazing grace", "GRACE"), 0);
  EXPECT_EQ(InStrB("Amazing grace", "grace"), 9);
}

TEST(Strings, LeftRightMidNeverFailOnOddCounts) {
  EXPECT_EQ(Left("hello", 2), "he");
  EXPECT_EQ(Left("hello", 0), "");
  EXPECT_EQ(Left("hello", -3), "");
  EXPECT_EQ(Left("hello", 99), "hello");
  EXPECT_EQ(Right("hello", 2), "lo");
  EXPECT_EQ(Right("hello", -1), "");
  EXPECT_EQ(Mid("hello", 2), "ello");
  EXPECT_EQ(Mid("hello", 2, 2), "el");
  EXPECT_EQ(Mid("hello", 0), "");
  EXPECT_EQ(Mid("hello", 6), "");
  EXPECT_EQ(Mid("hello", 5, 99), "o");
  EXPECT_EQ(Mid("hello", 2, -1), "");
  EXPECT_EQ(Len(""), 0);
}

TEST(Strings, ReplaceAndReplaceAll) {
  EXPECT_EQ(Replace("a{b}c{d}", "{", ""), "ab}c{d}");
  EXPECT_EQ(Replace("Grace GRACE", "grace", "x"), "x GRACE");
  EXPECT_EQ(ReplaceAll("Grace GRACE", "grace", "x"), "x x");
  EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
  EXPECT_EQ(Replace("abc", "", "x"), "abc");
  // One pass, never rescanning what it inserted.
  EXPECT_EQ(ReplaceAll("a a", "a", "aa"), "aa aa");
  EXPECT_EQ(ReplaceAll("aaa", "aa", "a"), "aa");
  EXPECT_EQ(ReplaceAllB("Aa", "a", "b"), "Ab");
  EXPECT_EQ(ReplaceB("Aa", "a", "b"), "Ab");
}

TEST(Strings, SplitAndJoin) {
  EXPECT_TRUE(Split("", "+").isEmpty());
  EXPECT_EQ(Split("abc", ""), QStringList({"abc"}));
  EXPECT_EQ(Split("a+++++b", "+++++"), QStringList({"a", "b"}));
  EXPECT_EQ(Split("a+++++", "+++++"), QStringList({"a", ""}));
  EXPECT_EQ(Split("+++++", "+++++"), QStringList({"", ""}));
  EXPECT_EQ(Split("a  b", " "), QStringList({"a", "", "b"}));
  EXPECT_EQ(Split("abc", "x"), QStringList({"abc"}));
  EXPECT_EQ(Join({"a", "b"}, ","), "a,b");
}

TEST(Strings, TrimCaseAndComparison) {
  EXPECT_EQ(Trim(" \t\r\n a b \r"), "a b");
  EXPECT_EQ(LTrim("  a "), "a ");
  EXPECT_EQ(RTrim("  a "), "  a");
  EXPECT_EQ(Uppercase("am7"), "AM7");
  EXPECT_EQ(Lowercase("AM7"), "am7");
  EXPECT_TRUE(EqualsCI("----T", "----t"));
  EXPECT_EQ(StrComp("a", "A"), 1);
  EXPECT_EQ(StrComp("A", "a"), -1);
  EXPECT_EQ(StrComp("a", "a"), 0);
  EXPECT_EQ(Str(42), "42");
  EXPECT_EQ(Str(-7), "-7");
}

TEST(Strings, ChrGivesEveryCodePointAsItself) {
  struct Row {
    int code;
    std::u16string want;
  };
  const Row rows[] = {
      {13, u"\r"},         {11, u"\v"},         {0, std::u16string(1, u'\0')}, {0xE9, u"\u00E9"},
      {0xFEFF, u"\uFEFF"},  // the byte-order mark character is a character like any other
      {0xFFFE, u"\uFFFE"}, {0xD800, u"\xD800"}, {0x1D11E, u"\U0001D11E"},      {0x10FFFF, u"\U0010FFFF"},
      {-1, u""},           {0x110000, u""},
  };
  // Built from the code units as they stand: Qt's UTF-16 conversion would read a leading U+FEFF or
  // U+FFFE as a byte-order mark.
  for (const Row& r : rows)
    EXPECT_EQ(Chr(r.code), QString(reinterpret_cast<const QChar*>(r.want.data()), qsizetype(r.want.size()))) << r.code;
}

TEST(Strings, ValReadsTheLeadingNumberOnly) {
  struct Row {
    const char* s;
    double want;
  };
  const Row rows[] = {
      {"12", 12},  {"12.9kg", 12.9}, {"abc", 0}, {"", 0},        {"inf", 0},    {"nan", 0},
      {"0x10", 0}, {"-3", -3},       {"+4", 4},  {" 5", 5},      {".5", 0.5},   {"1e3", 1000},
      {"1e", 1},   {"1e+", 1},       {"-", 0},   {"1.2.3", 1.2}, {"1e-999", 0},
  };
  for (const Row& r : rows) EXPECT_DOUBLE_EQ(Val(r.s), r.want) << r.s;
  EXPECT_EQ(Val("1e999"), std::numeric_limits<double>::max());
  EXPECT_EQ(Val("-1e999"), -std::numeric_limits<double>::max());
  EXPECT_EQ(ValToInt("1e20", 2, 10), 10);
  EXPECT_EQ(ValToInt("-1e20", 2, 10), 2);
  EXPECT_EQ(ValToInt("7.9", 2, 10), 7);
  EXPECT_EQ(ValToInt("x", 2, 10), 2);
}
