#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>

#include "platform/core/strings.h"
#include "fuzz/stored_field.h"
#include "platform/core/text_decoding.h"
#include "sheet/song_document.h"

namespace {
const QChar kSep(0x0B);

// A document text of n pieces: the fields of a written document, cut or padded to n.
QString Pieces(int n) {
  const QStringList full = {"1.0.0", "T", "C", "K", "S", "0", "3", "9", "10", "11", "5", "30", "40", "4/4", "88", ""};
  QStringList p;
  for (int i = 0; i < n; ++i) p << (i < full.size() ? full[i] : QStringLiteral("extra"));
  return p.join(kSep);
}
}  // namespace

TEST(SongDocument, WritesTheThirtyThreeByteExample) {
  const QByteArray want = QByteArray::fromHex(
      "312E302E300B"
      "0B0B0B0B"
      "310B"
      "350B"
      "31320B"
      "31320B"
      "31330B"
      "370B"
      "32320B"
      "32370B"
      "0B0B");
  ASSERT_EQ(want.size(), 33);
  EXPECT_EQ(BuildSongDocument(SongDocument{}), want);
}

TEST(SongDocument, WritingTrimsTextFieldsAndBlanksSeparators) {
  SongDocument d;
  d.title = "  Amazing\x0BGrace \t";
  d.capo =
      "\x0B"
      "2";
  d.song = " \r first line\r\rlast line \r\r";
  d.centerLine = false;
  d.tempo = QString::fromUtf8("Café ");
  const QByteArray bytes = BuildSongDocument(d);
  const QStringList p = QString::fromUtf8(bytes).split(kSep);
  ASSERT_EQ(p.size(), 16);
  EXPECT_EQ(p[1], "Amazing Grace");
  EXPECT_EQ(p[2], "2");
  EXPECT_EQ(p[4], "first line\r\rlast line");
  EXPECT_EQ(p[5], "0");
  EXPECT_EQ(p[14], QString::fromUtf8("Café"));
  EXPECT_EQ(p[15], "");
  EXPECT_TRUE(bytes.contains("Caf\xC3\xA9"));  // UTF-8
}

TEST(SongDocument, AcceptsOnlyTheKnownPieceCounts) {
  for (int n = 0; n <= 17; ++n) {
    const SongDocumentRead r = ParseSongDocument(Pieces(n));
    const bool accepted = n == 7 || n >= 13;
    EXPECT_EQ(r.ok, accepted) << n;
    EXPECT_EQ(r.pieces, n) << n;
    EXPECT_EQ(r.refusal.isEmpty(), accepted) << n;
    if (!accepted) {
      EXPECT_FALSE(r.hasLayout) << n;
      EXPECT_EQ(r.values.title, "") << n;  // nothing taken from a refused text
      continue;
    }
    EXPECT_EQ(r.values.title, "T");
    EXPECT_EQ(r.values.song, "S");
    EXPECT_FALSE(r.values.centerLine);
    EXPECT_EQ(r.values.spacing, 3);
    EXPECT_EQ(r.hasLayout, n >= 13) << n;
    EXPECT_EQ(r.values.rowHeight, n >= 13 ? 40 : 27) << n;
    EXPECT_EQ(r.values.wordSize, n >= 13 ? 9 : 12) << n;
    EXPECT_EQ(r.hasTiming, n >= 15) << n;
    EXPECT_EQ(r.values.timing, n >= 15 ? "4/4" : "") << n;
    EXPECT_EQ(r.values.tempo, n >= 15 ? "88" : "") << n;
  }
  EXPECT_NE(ParseSongDocument(QString()).refusal, ParseSongDocument(QString("no separators")).refusal);
  EXPECT_TRUE(ParseSongDocument(Pieces(10)).refusal.contains("holds 10 of its 15 fields"));
  // Ten fields, each ended by its separator as a writer ends them, are ten fields, not eleven.
  EXPECT_TRUE(ParseSongDocument(Pieces(10) + kSep).refusal.contains("holds 10 of its 15 fields"));
}

TEST(SongDocument, ReadsFieldsUnchangedWhateverTheVersion) {
  const QString text =
      QStringList{"9.9", " T ", "", "\tK", " a\r b ", "1", "5", "12", "12", "13", "7", "22", "27", " 3/4", "x "}.join(
          kSep);
  const SongDocumentRead r = ParseSongDocument(text);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.values.title, " T ");
  EXPECT_EQ(r.values.key, "\tK");
  EXPECT_EQ(r.values.song, " a\r b ");
  EXPECT_EQ(r.values.timing, " 3/4");
  EXPECT_EQ(r.values.tempo, "x ");
  EXPECT_TRUE(r.values.centerLine);
}

TEST(SongDocument, NumbersAreCutTowardZeroAndKeptInRange) {
  struct Row {
    QString piece;
    int spacing;
    int rowHeight;
    bool centre;
  };
  const Row rows[] = {
      {"7", 7, 20, false},     {"12.9", 10, 20, false}, {"5.9", 5, 20, false},    {"-3.7", 2, 20, false},
      {"1e20", 10, 45, false}, {"-1e20", 2, 20, false}, {"abc", 2, 20, false},    {"", 2, 20, false},
      {" 8x", 8, 20, false},   {"1", 2, 20, true},      {"1.0", 2, 20, true},     {"01", 2, 20, true},
      {"1.5", 2, 20, false},   {"30", 10, 30, false},   {"44.99", 10, 44, false}, {"2e1", 10, 20, false},
  };
  for (const Row& r : rows) {
    // The piece stands in for the centre line, Spacing and Row Height at once.
    QStringList p = {"1.0.0", "", "", "", "", r.piece, r.piece, "12", "12", "13", "7", "22", r.piece, "", ""};
    const SongDocumentRead d = ParseSongDocument(p.join(kSep));
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.values.spacing, r.spacing) << r.piece.toStdString();
    EXPECT_EQ(d.values.rowHeight, r.rowHeight) << r.piece.toStdString();
    EXPECT_EQ(d.values.centerLine, r.centre) << r.piece.toStdString();
  }
}

// Opened as the window opens a song: decoded as a song document, then read.
SongDocumentRead Reopened(const SongDocument& d) {
  const std::optional<QString> text = DecodeText(BuildSongDocument(d), TextKind::SongDocument);
  if (!text) return {};
  return ParseSongDocument(*text);
}

TEST(SongDocument, WhatIsWrittenOpensAgainAsItsFieldsAreStored) {
  const QChar nul(u'\0');
  const struct {
    const char* what;
    QString field, stored;
  } cases[] = {
      {"a NUL is dropped", "N" + QString(nul) + "UL", "NUL"},
      {"a NUL before a blank does not keep the blank", QString(nul) + " x " + nul, "x"},
      {"only NULs", QString(3, nul), ""},
      {"a separator becomes a blank",
       "a\x0B"
       "b\x0B",
       "a b"},
      {"a lone surrogate becomes ?", QString(QChar(0xD800)) + "x" + QChar(0xDC00), "?x?"},
      {"a pair cut by a NUL is one character again", QString(QChar(0xD83C)) + nul + QChar(0xDFB8),
       QString::fromUtf8("\U0001F3B8")},
      {"a leading U+FEFF stays", QString(QChar(0xFEFF)) + "G", QString(QChar(0xFEFF)) + "G"},
      {"line ends inside stay, at the ends they go", "\r\nx\r\n\ny\r\n", "x\r\n\ny"},
      {"other controls stay", "\x01\x1B\x7F", "\x01\x1B\x7F"},
  };
  for (const auto& c : cases) {
    SongDocument d;
    d.title = d.capo = d.key = d.song = d.timing = d.tempo = c.field;
    const SongDocumentRead r = Reopened(d);
    ASSERT_TRUE(r.ok) << c.what;
    for (const QString& v :
         {r.values.title, r.values.capo, r.values.key, r.values.song, r.values.timing, r.values.tempo})
      EXPECT_EQ(v, c.stored) << c.what;
    EXPECT_EQ(StoredField(c.field), c.stored) << c.what;
  }
}

TEST(SongDocument, RoundTripsRandomFields) {
  std::mt19937 rnd(7);
  // Any code unit may come, lone surrogates and controls included; the common ones more often.
  const QString common = QString::fromUtf8("ab Z9 \t\r\n[]{}*<>!+-éß漢\x0B") + QChar(u'\0') + QChar(0xFEFF);
  auto text = [&](int max) {
    QString s;
    for (int n = static_cast<int>(rnd() % (max + 1)); n > 0; --n)
      s += rnd() % 4 ? common[rnd() % common.size()] : QChar(char16_t(rnd() % 0x10000));
    return s;
  };
  auto in = [&](const LayoutRange& r) { return r.lo + static_cast<int>(rnd() % (r.hi - r.lo + 1)); };
  auto stored = [](const QString& s) { return StoredField(s); };
  for (int round = 0; round < 200; ++round) {
    SongDocument d;
    d.title = text(20), d.capo = text(6), d.key = text(6), d.song = text(200), d.timing = text(6), d.tempo = text(6);
    d.centerLine = rnd() % 2;
    d.spacing = in(kSpacingRange), d.wordSize = in(kWordSizeRange), d.chordSize = in(kChordSizeRange);
    d.chordOffset = in(kChordOffsetRange), d.fretSize = in(kFretSizeRange), d.fretOffset = in(kFretOffsetRange);
    d.rowHeight = in(kRowHeightRange);
    const QByteArray bytes = BuildSongDocument(d);
    const SongDocumentRead r = Reopened(d);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.pieces, 16);
    const SongDocument& v = r.values;
    EXPECT_EQ(v.title, stored(d.title));
    EXPECT_EQ(v.capo, stored(d.capo));
    EXPECT_EQ(v.key, stored(d.key));
    EXPECT_EQ(v.song, stored(d.song));
    EXPECT_EQ(v.timing, stored(d.timing));
    EXPECT_EQ(v.tempo, stored(d.tempo));
    EXPECT_EQ(v.centerLine, d.centerLine);
    EXPECT_EQ(
        (std::vector<int>{v.spacing, v.wordSize, v.chordSize, v.chordOffset, v.fretSize, v.fretOffset, v.rowHeight}),
        (std::vector<int>{d.spacing, d.wordSize, d.chordSize, d.chordOffset, d.fretSize, d.fretOffset, d.rowHeight}));
    // Without the final separator the text reads the same.
    const SongDocumentRead cut = ParseSongDocument(bytes.chopped(1));
    ASSERT_TRUE(cut.ok);
    EXPECT_EQ(cut.values.tempo, v.tempo);
    EXPECT_EQ(cut.values.rowHeight, v.rowHeight);
    // The saved fields write the same bytes, and an edit writes other bytes exactly when it
    // changes the saved fields (a blank at an end does not; most other characters do).
    EXPECT_EQ(BuildSongDocument(SavedFields(d)), bytes);
    SongDocument e = d;
    QString* fields[] = {&e.title, &e.capo, &e.key, &e.song, &e.timing, &e.tempo};
    QString& f = *fields[rnd() % 6];
    f = rnd() % 2 ? f + text(2) : text(2) + f;
    EXPECT_EQ(SavedFields(e) == SavedFields(d), BuildSongDocument(e) == bytes) << round;
  }
}

// Whether two values of a field are written alike is found from where they differ: it must agree
// with comparing the fields as written, for edits anywhere, blanks, NULs and separators included.
TEST(SongDocumentText, SameWhenSavedAgreesWithTheFieldsAsWritten) {
  const QString sep = QString(QChar(kFieldSeparator)), nul = QString(QChar(0));
  const struct {
    QString a, b;
    bool same;
  } cases[] = {
      {"Amazing", "Amazing", true},
      {"Amazing", "Amazing ", true},               // a blank at the end
      {"Amazing", "  Amazing", true},              // at the start
      {"Amazing grace", "Amazing  grace", false},  // inside
      {"Amazing", "Amazingx", false},
      {" x", "x ", true},              // the change spans both ends
      {"a" + sep + "b", "a b", true},  // a separator is written as a blank
      {"a" + nul + "b", "ab", true},   // a NUL is dropped
      {"a\r", "a\r\r", true},          // line ends at the end are trimmed too
      {"a\rb", "a\r\rb", false},
      {"", "   ", true},
      {"", "x", false},
      {"ab" + nul + " ", "ab", true},
      {QString(600, 'x') + "y" + QString(600, 'z'), QString(600, 'x') + "Y" + QString(600, 'z'), false},
      {QString(600, 'x') + " " + QString(600, ' '), QString(600, 'x') + QString(601, ' '), true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SameWhenSaved(c.a, c.b), c.same) << c.a.toStdString() << " | " << c.b.toStdString();
    EXPECT_EQ(SameWhenSaved(c.a, c.b), SavedField(c.a) == SavedField(c.b));
    EXPECT_EQ(SameWhenSaved(c.b, c.a), c.same);
  }
  std::mt19937 rnd(11);
  const QString alphabet[] = {"a", "b", " ", "\t", "\r", sep, nul, QString(QChar(0x00A0)), QString(QChar(0x2029))};
  const auto text = [&](int n) {
    QString s;
    for (int i = 0; i < n; ++i) s += alphabet[rnd() % 9];
    return s;
  };
  for (int round = 0; round < 3000; ++round) {
    const QString a = text(static_cast<int>(rnd() % 12));
    QString b = a;
    const int at = b.isEmpty() ? 0 : static_cast<int>(rnd() % (b.size() + 1));
    const int removed = std::min(static_cast<int>(rnd() % 3), static_cast<int>(a.size()) - at);
    const QString added = text(static_cast<int>(rnd() % 3));
    b.replace(at, removed, added);
    ASSERT_EQ(SameWhenSaved(a, b), SavedField(a) == SavedField(b)) << round;
    // Told only the edit, where it lies: the same answer.
    ASSERT_EQ(SameWhenSavedAfterEdit(a, at, removed, added), SavedField(a) == SavedField(b)) << round;
  }
}
