// From bytes to text: valid UTF-8 is never reinterpreted, a stray byte is its Windows-1252
// character, wide byte-order marks decode text imports, and what is not text is refused.
#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "platform/core/text_decoding.h"

namespace {

struct DecodeCase {
  const char* what;
  QByteArray bytes;
  TextKind kind;
  std::optional<QString> text;  // nullopt: refused
};

QByteArray B(const char* s, qsizetype n) { return QByteArray(s, n); }

const auto song = TextKind::SongDocument;
const auto import = TextKind::TextImport;

const DecodeCase kCases[] = {
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
    {"a U+FEFF inside the text stays",
     "a\xEF\xBB\xBF"
     "b",
     song, QString::fromUtf8("a\uFEFFb")},
    {"only the first mark is dropped",
     "\xEF\xBB\xBF\xEF\xBB\xBF"
     "b",
     song, QChar(0xFEFF) + QStringLiteral("b")},
    {"a U+FEFF after a UTF-16 mark stays",
     B("\xFF\xFE\xFF\xFE"
       "a\0",
       6),
     import, QChar(0xFEFF) + QStringLiteral("a")},
    {"empty", "", song, QString()},
    {"a NUL", B("a\0b", 3), song, std::nullopt},
    {"a NUL in an import", B("a\0b", 3), import, std::nullopt},
    {"UTF-16 LE import",
     B("\xFF\xFE"
       "C\0a\0f\0\xE9\0",
       10),
     import, QString::fromUtf8("Caf\u00e9")},
    {"UTF-16 BE import", B("\xFE\xFF\0C\0a", 6), import, QStringLiteral("Ca")},
    {"UTF-32 LE import (not UTF-16 with a NUL)", B("\xFF\xFE\0\0G\0\0\0\x6B\x26\0\0", 12), import,
     QString::fromUtf8("G\u266b")},
    {"UTF-32 BE import", B("\0\0\xFE\xFF\0\0\0G", 8), import, QStringLiteral("G")},
    {"UTF-16 song document",
     B("\xFF\xFE"
       "C\0",
       4),
     song, std::nullopt},
    {"UTF-32 song document", B("\xFF\xFE\0\0G\0\0\0", 8), song, std::nullopt},
    {"UTF-16 import holding a NUL",
     B("\xFF\xFE"
       "a\0\0\0",
       6),
     import, std::nullopt},
    {"a UTF-16 surrogate pair",
     B("\xFF\xFE"
       "a\0\x3C\xD8\xB8\xDF",
       8),
     import, QString::fromUtf8("a\U0001F3B8")},
    {"a cut UTF-16 unit at the end",
     B("\xFF\xFE"
       "a\0b",
       5),
     import, QStringLiteral("a") + QChar(0xFFFD)},
    {"a cut UTF-32 unit at the end", B("\0\0\xFE\xFF\0\0\0G\0\0", 10), import, QStringLiteral("G") + QChar(0xFFFD)},
    {"a cut unit alone after the mark",
     B("\xFF\xFE"
       "b",
       3),
     import, QString()},
    {"a four-byte sequence then Windows-1252", "\xF0\x9F\x8E\xB8\x93\xF0\x9F", song,
     QString::fromUtf8("\U0001F3B8\u201c\u00f0\u0178")},
    {"a mark alone", "\xEF\xBB\xBF", song, QString()},
    {"a cut mark", "\xEF\xBB", song, QString::fromUtf8("\u00ef\u00bb")},
    {"a NUL after a long text", QByteArray(70000, 'a') + B("\0", 1), song, std::nullopt},
};

TEST(TextDecoding, EachBytePatternDecodesOrIsRefused) {
  for (const DecodeCase& c : kCases) {
    EXPECT_EQ(DecodeText(c.bytes, c.kind), c.text) << c.what;
  }
}

// The text of the bytes fed in the given pieces; nullopt when refused.
std::optional<QString> DecodeInPieces(const QByteArray& bytes, TextKind kind, const std::vector<qsizetype>& cuts) {
  TextDecoder decoder(kind);
  qsizetype from = 0;
  for (qsizetype cut : cuts) {
    decoder.Feed(QByteArrayView(bytes).sliced(from, cut - from));
    from = cut;
  }
  decoder.Feed(QByteArrayView(bytes).sliced(from));
  return decoder.Finish();
}

TEST(TextDecoding, PiecesDecodeAsTheWholeWhereverTheyAreCut) {
  // Besides the cases above, ends that Qt's wide decoders settle for themselves.
  std::vector<std::pair<QByteArray, TextKind>> inputs = {
      {B("\xFE\xFF\0a\xD8\x3C", 6), import},  // a lone high surrogate at the end
      {B("\xFF\xFE\x3C\xD8"
         "a\0\xB8\xDF",
         8),
       import},                                  // surrogates apart
      {B("\xFF\xFE\0\0\0\0\x11\0", 8), import},  // past U+10FFFF in UTF-32
      {"\xE2\x99"
       "a\xC3",
       song},  // sequences cut by what follows
  };
  for (const DecodeCase& c : kCases) inputs.emplace_back(c.bytes, c.kind);
  for (const auto& [bytes, kind] : inputs) {
    if (bytes.size() > 64) continue;  // the long case is cut below
    const std::optional<QString> whole = DecodeText(bytes, kind);
    std::vector<qsizetype> everyByte;
    for (qsizetype i = 1; i < bytes.size(); ++i) {
      EXPECT_EQ(DecodeInPieces(bytes, kind, {i}), whole) << bytes.toHex().constData() << " cut at " << i;
      everyByte.push_back(i);
    }
    EXPECT_EQ(DecodeInPieces(bytes, kind, everyByte), whole) << bytes.toHex().constData() << " byte by byte";
  }
}

TEST(TextDecoding, ANulRefusesThePieceThatBringsIt) {
  TextDecoder decoder(song);
  EXPECT_TRUE(decoder.Feed(QByteArray(65536, 'a')));
  EXPECT_TRUE(decoder.Feed("\xE2\x99"));  // a cut sequence is held, not refused
  EXPECT_FALSE(decoder.Feed(B("\xABx\0y", 4)));
  EXPECT_FALSE(decoder.Feed("more"));
  EXPECT_EQ(decoder.Finish(), std::nullopt);
}

TEST(TextDecoding, EveryByteAloneIsOneCharacterAndAnyValidTextRoundTrips) {
  for (int b = 1; b < 256; ++b) {
    const auto text = DecodeText(QByteArray(1, char(b)), TextKind::SongDocument);
    ASSERT_TRUE(text) << b;
    EXPECT_EQ(text->size(), 1) << b;
  }
  QString all;
  for (char32_t cp : {U'a', U'\u00e9', U'\u0800', U'\uFFFD', U'\U00010000', U'\U0010FFFF'})
    all += QString::fromUcs4(&cp, 1);
  EXPECT_EQ(DecodeText(all.toUtf8(), TextKind::SongDocument), all);
}

}  // namespace
