// From bytes to text: valid UTF-8 is never reinterpreted, a stray byte is its Windows-1252
// character, wide byte-order marks decode text imports, and what is not text is refused.
#include <gtest/gtest.h>

#include <optional>

#include "platform/core/text_decoding.h"

namespace {

struct DecodeCase {
  const char* what;
  QByteArray bytes;
  TextKind kind;
  std::optional<QString> text;  // nullopt: refused
};

QByteArray B(const char* s, qsizetype n) { return QByteArray(s, n); }

TEST(TextDecoding, EachBytePatternDecodesOrIsRefused) {
  const auto song = TextKind::SongDocument;
  const auto import = TextKind::TextImport;
  const DecodeCase cases[] = {
      {"plain ASCII", "[G]Amazing grace", song, QStringLiteral("[G]Amazing grace")},
      {"valid UTF-8 stays", "Caf\xC3\xA9 \xE2\x99\xAB \xF0\x9F\x8E\xB8", song,
       QString::fromUtf8("Caf\u00e9 \u266b \U0001F3B8")},
      {"one invalid byte among valid UTF-8", "Caf\xC3\xA9 \x93q\x94", song, QString::fromUtf8("Caf\u00e9 \u201cq\u201d")},
      {"Windows-1252 text", "caf\xE9 \x80", import, QString::fromUtf8("caf\u00e9 \u20ac")},
      {"a truncated sequence at the end", "ab\xE2\x99", song, QString::fromUtf8("ab\u00e2\u2122")},
      {"an overlong encoding", "\xC0\xAF", song, QString::fromUtf8("\u00c0\u00af")},
      {"an encoded surrogate", "\xED\xA0\x80", song, QString::fromUtf8("\u00ed\u00a0\u20ac")},
      {"past U+10FFFF", "\xF4\x90\x80\x80", song, QString::fromUtf8("\u00f4\u0090\u20ac\u20ac")},
      {"UTF-8 mark dropped", "\xEF\xBB\xBFG", song, QStringLiteral("G")},
      {"a U+FEFF inside the text stays", "a\xEF\xBB\xBF" "b", song, QString::fromUtf8("a\uFEFFb")},
      {"only the first mark is dropped", "\xEF\xBB\xBF\xEF\xBB\xBF" "b", song, QChar(0xFEFF) + QStringLiteral("b")},
      {"a U+FEFF after a UTF-16 mark stays", B("\xFF\xFE\xFF\xFE" "a\0", 6), import, QChar(0xFEFF) + QStringLiteral("a")},
      {"empty", "", song, QString()},
      {"a NUL", B("a\0b", 3), song, std::nullopt},
      {"a NUL in an import", B("a\0b", 3), import, std::nullopt},
      {"UTF-16 LE import", B("\xFF\xFE" "C\0a\0f\0\xE9\0", 10), import, QString::fromUtf8("Caf\u00e9")},
      {"UTF-16 BE import", B("\xFE\xFF\0C\0a", 6), import, QStringLiteral("Ca")},
      {"UTF-32 LE import (not UTF-16 with a NUL)", B("\xFF\xFE\0\0G\0\0\0\x6B\x26\0\0", 12), import,
       QString::fromUtf8("G\u266b")},
      {"UTF-32 BE import", B("\0\0\xFE\xFF\0\0\0G", 8), import, QStringLiteral("G")},
      {"UTF-16 song document", B("\xFF\xFE" "C\0", 4), song, std::nullopt},
      {"UTF-32 song document", B("\xFF\xFE\0\0G\0\0\0", 8), song, std::nullopt},
      {"UTF-16 import holding a NUL", B("\xFF\xFE" "a\0\0\0", 6), import, std::nullopt},
  };
  for (const DecodeCase& c : cases) {
    EXPECT_EQ(DecodeText(c.bytes, c.kind), c.text) << c.what;
  }
}

TEST(TextDecoding, EveryByteAloneIsOneCharacterAndAnyValidTextRoundTrips) {
  for (int b = 1; b < 256; ++b) {
    const auto text = DecodeText(QByteArray(1, char(b)), TextKind::SongDocument);
    ASSERT_TRUE(text) << b;
    EXPECT_EQ(text->size(), 1) << b;
  }
  QString all;
  for (char32_t cp : {U'a', U'\u00e9', U'\u0800', U'\uFFFD', U'\U00010000', U'\U0010FFFF'}) all += QString::fromUcs4(&cp, 1);
  EXPECT_EQ(DecodeText(all.toUtf8(), TextKind::SongDocument), all);
}

}  // namespace
