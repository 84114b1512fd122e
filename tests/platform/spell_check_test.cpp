#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <random>

#include "platform/desktop/bracket_index.h"
#include "mainwindow/song_spelling.h"
#include "platform/desktop/spell_check.h"
#include "spell_underlines.h"

TEST(SpellHighlighter, FindsMisspeltWordsButNotChordsOrNumbers) {
  auto dict = SpellDictionary::EnUs();
  ASSERT_TRUE(dict) << "no en_US dictionary: the build requires one";
  QTextDocument doc;
  SpellHighlighter h(&doc, SongWordReading(), dict);
  struct Case {
    const char* line;
    QList<QPair<int, int>> bad;
  } cases[] = {
      {"The quick fox jumps over the lazy dog", {}},
      {"The lazzy dog", {{4, 5}}},
      {"[Am7]Amazing [Gsus4/B]grace, don't", {}},
      {"{Verse 2} *lazzy* <speling>", {{11, 5}, {19, 7}}},
      {"[qwzx unclosed chord", {}},
      // A chord inside a word leaves the sung word whole.
      {"And grace my fears re[D]lieved, ap[G]pear", {}},
      {"re[D]lievd now", {{0, 10}}},
      {"x2 3rd 120bpm", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(h.Misspelt(QString::fromUtf8(c.line)), c.bad) << c.line;
}

TEST(SpellHighlighter, UnderlinesLazzyNotLazyAndTogglingOffRemovesTheMarks) {
  auto dict = SpellDictionary::EnUs();
  ASSERT_TRUE(dict) << "no en_US dictionary: the build requires one";
  QTextEdit edit;
  edit.setPlainText("the lazzy and lazy dog");
  SpellHighlighter h(edit.document(), SongWordReading(), dict);
  EXPECT_TRUE(h.Available());
  EXPECT_EQ(Underlined(edit.document()), (QList<QPair<int, int>>{{4, 5}}));
  h.SetEnabled(false);
  EXPECT_TRUE(Underlined(edit.document()).isEmpty());
  h.SetEnabled(true);
  EXPECT_EQ(Underlined(edit.document()), (QList<QPair<int, int>>{{4, 5}}));
  EXPECT_EQ(edit.toPlainText(), "the lazzy and lazy dog");
}

TEST(SpellHighlighter, ItsOwnPassesAreMarkedBusySoATextControlCanIgnoreThem) {
  auto dict = SpellDictionary::EnUs();
  ASSERT_TRUE(dict) << "no en_US dictionary: the build requires one";
  QTextEdit edit;
  edit.setPlainText("one lazzy line\rand anothr");
  edit.document()->setModified(false);
  int edits = 0, busyChanges = 0;
  // As the text area does: a change while the highlighter is being made is its first pass.
  SpellHighlighter* h = nullptr;
  bool making = true;
  QObject::connect(&edit, &QTextEdit::textChanged, [&] { making || h->Busy() ? ++busyChanges : ++edits; });
  h = new SpellHighlighter(edit.document(), SongWordReading(), dict);
  making = false;
  QCoreApplication::processEvents();  // nothing of Qt's own may be left pending
  h->SetEnabled(false);
  h->SetEnabled(true);
  QCoreApplication::processEvents();
  EXPECT_EQ(edits, 0);
  EXPECT_GT(busyChanges, 0);  // Qt does report the passes as changes: the flag is what tells them apart
  EXPECT_FALSE(edit.document()->isModified());

  QTextCursor c(edit.document());
  c.insertText("x");
  EXPECT_EQ(edits, 1);  // a real edit, re-checked on the way, is seen once
  EXPECT_FALSE(h->Busy());
  delete h;
}

TEST(SpellHighlighter, WithoutADictionaryMarksNothing) {
  QTextEdit edit;
  edit.setPlainText("the lazzy dog");
  SpellHighlighter h(edit.document(), SongWordReading(), nullptr);
  EXPECT_FALSE(h.Available());
  EXPECT_TRUE(h.Misspelt(QStringLiteral("lazzy")).isEmpty());
  EXPECT_TRUE(Underlined(edit.document()).isEmpty());
  EXPECT_EQ(SpellDictionary::Load("/no/such.aff", "/no/such.dic"), nullptr);
}

// A long line (a song made one line) is re-checked only around each edit: whatever the edit, every
// line must end up underlined exactly as a check of the whole line from scratch underlines it, and
// the checking adds nothing to the document's history.
TEST(SpellHighlighter, AfterEveryEditEachLineIsUnderlinedAsAFreshCheckWouldDoIt) {
  auto dict = SpellDictionary::EnUs();
  ASSERT_TRUE(dict) << "no en_US dictionary: the build requires one";
  // Chords in the first half (some inside words, some holding blanks and what would be misspelt
  // words if read as lyric), none in the second; misspelt words all along.
  const QStringList words = {"amazing",   "grace", "lazzy",      "how",        "sweet",     "speling",
                             "don't",     "the",   "sound",      "re[D]lievd", "that",      "saved",
                             "[zqx xvq]", "x2",    "fo[G/B]und", "blind",      "[Ab/C zqx]"};
  std::mt19937 rnd(7);
  QString longLine;
  while (longLine.size() < 12000) {
    QString w = words[rnd() % words.size()];
    if (longLine.size() > 6000)
      w.remove(QRegularExpression(QStringLiteral("\\[[^\\]]*\\]")));
    else if (rnd() % 3 == 0)
      w.prepend(QStringLiteral("[Am7]"));
    longLine += w + (rnd() % 9 == 0 ? QStringLiteral(", ") : QStringLiteral(" "));
  }
  const QString original = QStringLiteral("{Verse 1} the lazzy dog\n") + longLine + QStringLiteral("\nand anothr line");
  QPlainTextEdit edit;  // the song text area's kind of control
  edit.setPlainText(original);
  QTextDocument* doc = edit.document();
  SpellHighlighter h(doc, SongWordReading(), dict);
  int changes = 0;
  QObject::connect(doc, &QTextDocument::contentsChanged, [&] { changes += h.Busy() ? 0 : 1; });

  auto expectFresh = [&](const QString& step) {
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
      ASSERT_EQ(Underlined(b), h.Misspelt(b.text())) << qPrintable(step) << ", line " << b.blockNumber();
  };
  ASSERT_FALSE(Underlined(doc->findBlockByNumber(1)).isEmpty());
  expectFresh(QStringLiteral("at the start"));

  // Typing, deleting and pasting at random places, brackets included; now and then a line break
  // or an undo.
  const QStringList typed = {"x",      " ",     "q",  "[",  "]",     "[G]",  "zz",           "'", "\u2019s", "-",
                             "lazzy ", "grace", "[C", "e]", "[zqx ", "xvq]", "\u00e9t\u00e9"};
  const int steps = 600;
  int undos = 0;
  for (int step = 0; step < steps; ++step) {
    const int size = doc->characterCount() - 1;
    // Most edits go to the longest line.
    QTextBlock longest = doc->begin();
    for (QTextBlock b = longest; b.isValid(); b = b.next())
      if (b.length() > longest.length()) longest = b;
    const int at = rnd() % 8 ? longest.position() + static_cast<int>(rnd() % longest.length())
                             : static_cast<int>(rnd() % (size + 1));
    QTextCursor c(doc);
    c.setPosition(std::min(at, size));
    QString what;
    const unsigned op = rnd() % 20;
    if (op < 12) {
      what = typed[rnd() % typed.size()];
      c.insertText(what);
      what = "typed \"" + what + "\"";
    } else if (op < 16) {
      c.setPosition(std::min(size, c.position() + 1 + static_cast<int>(rnd() % 30)), QTextCursor::KeepAnchor);
      what = "deleted \"" + c.selectedText() + "\"";
      c.removeSelectedText();
    } else if (op < 19) {
      c.setPosition(std::min(size, c.position() + 1 + static_cast<int>(rnd() % 8)), QTextCursor::KeepAnchor);
      what = "replaced \"" + c.selectedText() + "\"";
      c.insertText(QStringLiteral("[F]rom lazzy "));
    } else {
      c.insertText(QStringLiteral("\n"));
      what = "broke the line";
    }
    if (step % 40 == 39) {
      doc->undo();
      ++undos;
      what += " then undid it";
    }
    expectFresh(QStringLiteral("step %1 at %2: %3").arg(step).arg(at).arg(what));
  }
  EXPECT_EQ(changes, steps + undos);  // one change signal per edit and per undo, none of the checking's own

  while (doc->isUndoAvailable()) doc->undo();
  EXPECT_EQ(doc->toPlainText(), original);
  EXPECT_FALSE(doc->isModified());
  expectFresh(QStringLiteral("everything undone"));
}

// Where the index of a long line cuts it, the edit's re-check must still know whether the text
// there is read as a chord: chords holding blanks and nonsense words straddle the cuts (a fresh
// line six chunks long is cut every BracketIndex::kChunk characters), and a letter is typed at
// each place of a chord's length after each cut, then taken back.
TEST(SpellHighlighter, AnEditJustAfterWhereTheLineIsCutReadsAChordAcrossTheCutAsAChord) {
  auto dict = SpellDictionary::EnUs();
  ASSERT_TRUE(dict) << "no en_US dictionary: the build requires one";
  const QString bar = QStringLiteral("[zqx xvq wqz zzq qxv]grace ");
  QString line;
  while (line.size() < 6 * BracketIndex::kChunk) line += bar;
  line.truncate(6 * BracketIndex::kChunk);
  QPlainTextEdit edit;
  edit.setPlainText(line);
  QTextDocument* doc = edit.document();
  SpellHighlighter h(doc, SongWordReading(), dict);
  for (int cut = 1; cut < 6; ++cut) {
    for (int offset = 0; offset <= bar.size(); ++offset) {
      const int at = cut * BracketIndex::kChunk + offset;
      QTextCursor c(doc);
      c.setPosition(at);
      c.insertText(QStringLiteral("q"));
      ASSERT_EQ(Underlined(doc), h.Misspelt(doc->firstBlock().text())) << "typed at " << at;
      doc->undo();
      ASSERT_EQ(Underlined(doc), h.Misspelt(doc->firstBlock().text())) << "undone at " << at;
    }
  }
}

// An input method composing a character replaces the formats of the line it composes in; once the
// character is committed the line is underlined as a fresh check finds it.
TEST(SpellHighlighter, AfterAnInputMethodComposedACharacterTheLongLineIsUnderlinedWhole) {
  auto dict = SpellDictionary::EnUs();
  ASSERT_TRUE(dict) << "no en_US dictionary: the build requires one";
  QString line;
  while (line.size() < 3 * BracketIndex::kChunk) line += QStringLiteral("[G]amazing lazzy grace ");
  QPlainTextEdit edit;
  edit.setPlainText(line);
  SpellHighlighter h(edit.document(), SongWordReading(), dict);
  QTextCursor c = edit.textCursor();
  c.setPosition(static_cast<int>(line.size() / 2));
  edit.setTextCursor(c);
  QInputMethodEvent compose(QStringLiteral("e"), {});
  QCoreApplication::sendEvent(&edit, &compose);
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("\u00e9"));
  QCoreApplication::sendEvent(&edit, &commit);
  const QTextBlock b = edit.document()->firstBlock();
  ASSERT_TRUE(b.text().contains(QStringLiteral("\u00e9")));
  EXPECT_EQ(Underlined(b), h.Misspelt(b.text()));
}

// The index against a plain reading of the line, through random edits: its length, where its
// chunks begin, the bracket before each, the text it re-read and whether a bracket came or went.
TEST(BracketIndex, FollowsEditsAsAFreshReadingOfTheLineWould) {
  std::mt19937 rnd(11);
  // Stretches with brackets and stretches of thousands of characters without any.
  auto text = [&](int n) {
    const QString alphabet = rnd() % 2 ? QStringLiteral("ab  cd[]") : QStringLiteral("ab  cdef");
    QString t;
    for (int i = 0; i < n; ++i) t += alphabet[static_cast<qsizetype>(rnd() % 8)];
    return t;
  };
  QString line;
  while (line.size() < 5 * BracketIndex::kChunk) line += text(500 + static_cast<int>(rnd() % 6000));
  BracketIndex index(line);
  for (int step = 0; step < 2000; ++step) {
    const int at = static_cast<int>(rnd() % (line.size() + 1));
    const int most = step % 10 ? 40 : 3000;
    const int removed = std::min(static_cast<int>(line.size()) - at, static_cast<int>(rnd() % most));
    const QString put = text(static_cast<int>(rnd() % (step % 7 ? 20 : 5000)));
    // The index keeps its last answer: ask about a chunk, often the one after the edit's.
    int after = 0;
    for (int k = 0, start = 0; k < index.ChunkCount() && start <= at; start += index.ChunkLength(k++)) after = k + 1;
    after = std::min(after, index.ChunkCount() - 1);
    index.LastBracketBefore(rnd() % 2 ? after : static_cast<int>(rnd() % index.ChunkCount()));
    const QString gone = line.mid(at, removed);
    line.replace(at, removed, put);
    const BracketIndex::Reread r = index.Edit(at, removed, static_cast<int>(put.size()),
                                              [&](int from, int to) { return line.mid(from, to - from); });
    const auto hasBracket = [](const QString& s) { return s.contains(u'[') || s.contains(u']'); };
    ASSERT_EQ(r.bracketsChanged, hasBracket(gone) || hasBracket(put)) << "step " << step;
    ASSERT_EQ(index.Length(), line.size());
    std::vector<int> starts;
    for (int k = 0, start = 0; k < index.ChunkCount(); start += index.ChunkLength(k++)) starts.push_back(start);
    auto bracketBefore = [&](int k) {
      const qsizetype last = std::max(line.lastIndexOf(u'[', starts[k] - 1), line.lastIndexOf(u']', starts[k] - 1));
      return starts[k] == 0 || last < 0 ? QChar() : line.at(last);
    };
    // One chunk asked about first (an answer kept from before the edit must not be stale), then
    // every chunk.
    const int count = index.ChunkCount();
    const int asked = rnd() % 2 ? std::min(r.last + 1, count - 1) : static_cast<int>(rnd() % count);
    ASSERT_EQ(index.LastBracketBefore(asked), bracketBefore(asked)) << "step " << step << ", chunk " << asked;
    for (int k = 0; k < index.ChunkCount(); ++k) {
      if (k == r.first) {
        ASSERT_EQ(starts[k], r.start);
      }
      if (index.ChunkCount() > 1) {
        ASSERT_GE(index.ChunkLength(k), BracketIndex::kChunk / 2) << "step " << step;
      }
      ASSERT_LT(index.ChunkLength(k), 2 * BracketIndex::kChunk);
      ASSERT_EQ(index.LastBracketBefore(k), bracketBefore(k)) << "step " << step << ", chunk " << k;
    }
    int span = 0;
    for (int k = r.first; k <= r.last; ++k) span += index.ChunkLength(k);
    ASSERT_EQ(r.text, line.mid(r.start, span));
    ASSERT_LE(r.start, at);
    ASSERT_GE(r.start + span, at + put.size());
  }
}
