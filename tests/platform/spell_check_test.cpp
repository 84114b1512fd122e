#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include "platform/spell_check.h"

namespace {
// The underlined ranges of the document's first block, as the highlighter left them.
QList<QPair<int, int>> underlined(QTextDocument* doc) {
  QList<QPair<int, int>> out;
  for (const QTextLayout::FormatRange& r : doc->firstBlock().layout()->formats())
    if (r.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline) out.append({r.start, r.length});
  return out;
}

std::shared_ptr<SpellDictionary> dictionaryOrSkip() { return SpellDictionary::EnUs(); }
}  // namespace

TEST(SpellHighlighter, FindsMisspeltWordsButNotChordsOrNumbers) {
  auto dict = dictionaryOrSkip();
  if (!dict) GTEST_SKIP() << "no en_US dictionary installed";
  QTextDocument doc;
  SpellHighlighter h(&doc, dict);
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
  auto dict = dictionaryOrSkip();
  if (!dict) GTEST_SKIP() << "no en_US dictionary installed";
  QTextEdit edit;
  edit.setPlainText("the lazzy and lazy dog");
  SpellHighlighter h(edit.document(), dict);
  EXPECT_TRUE(h.Available());
  EXPECT_EQ(underlined(edit.document()), (QList<QPair<int, int>>{{4, 5}}));
  h.SetEnabled(false);
  EXPECT_TRUE(underlined(edit.document()).isEmpty());
  h.SetEnabled(true);
  EXPECT_EQ(underlined(edit.document()), (QList<QPair<int, int>>{{4, 5}}));
  EXPECT_EQ(edit.toPlainText(), "the lazzy and lazy dog");
}

TEST(SpellHighlighter, ItsOwnPassesAreMarkedBusySoATextControlCanIgnoreThem) {
  auto dict = dictionaryOrSkip();
  if (!dict) GTEST_SKIP() << "no en_US dictionary installed";
  QTextEdit edit;
  edit.setPlainText("one lazzy line\rand anothr");
  edit.document()->setModified(false);
  int edits = 0, busyChanges = 0;
  QObject::connect(&edit, &QTextEdit::textChanged,
                   [&] { SpellHighlighter::Busy(edit.document()) ? ++busyChanges : ++edits; });
  auto* h = new SpellHighlighter(edit.document(), dict);
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
  SpellHighlighter h(edit.document(), nullptr);
  EXPECT_FALSE(h.Available());
  EXPECT_TRUE(h.Misspelt("lazzy").isEmpty());
  EXPECT_TRUE(underlined(edit.document()).isEmpty());
  EXPECT_EQ(SpellDictionary::Load("/no/such.aff", "/no/such.dic"), nullptr);
}
