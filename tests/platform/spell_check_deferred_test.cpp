// A change of many lines checks the lines on screen at once and the rest when the event loop is
// idle; whatever happens in between, every line ends up underlined as a fresh check finds it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <random>

#include "platform/desktop/bracket_index.h"
#include "platform/desktop/controls/text_area.h"
#include "mainwindow/song_spelling.h"
#include "platform/desktop/spell_check.h"
#include "spell_underlines.h"

namespace {

// Lines of a song with misspelt words all along; every seventh line is long enough to be
// re-checked around its edits only.
QString Song(int lines) {
  QStringList out;
  for (int i = 0; i < lines; ++i) {
    QString line = QStringLiteral("[G]amazing lazzy grace %1 speling").arg(i);
    if (i % 7 == 3)
      while (line.size() < 3 * BracketIndex::kChunk) line += QStringLiteral(" [D]how swete the sound");
    out << line;
  }
  return out.join(QLatin1Char('\n'));
}

void Drain(SpellHighlighter& h) {
  for (int i = 0; i < 100000 && h.Pending(); ++i) QCoreApplication::processEvents();
}

// The part of line b the text area shows, as offsets in it.
std::pair<int, int> ShownOf(const TextArea& area, const QTextBlock& b) {
  const QRect view = area.viewport()->rect();
  const int top = area.cursorForPosition(view.topLeft()).position() - b.position();
  const int bottom = area.cursorForPosition(view.bottomRight()).position() - b.position();
  return {std::max(0, top), std::min(b.length() - 1, bottom)};
}

// Line b as a fresh check finds it: its misspelt words all kept, those on screen underlined, and
// nothing else underlined.
void ExpectCheckedOnScreen(SpellHighlighter& h, const TextArea& area, const QTextBlock& b, const char* where) {
  const QList<QPair<int, int>> fresh = h.Misspelt(b.text());
  ASSERT_EQ(h.Checked(b), fresh) << where << ", line " << b.blockNumber();
  const QList<QPair<int, int>> underlined = Underlined(b);
  const auto [from, to] = ShownOf(area, b);
  for (const auto& w : fresh) {
    if (w.first + w.second > from && w.first < to) {
      ASSERT_TRUE(underlined.contains(w)) << where << ", line " << b.blockNumber() << ", word at " << w.first;
    }
  }
  for (const auto& w : underlined) {
    ASSERT_TRUE(fresh.contains(w)) << where << ", line " << b.blockNumber() << ", word at " << w.first;
  }
}

// The song text area as the window has it: shown, reading song words, checking as typed.
void ShowChecking(TextArea& area) {
  area.resize(400, 300);
  area.show();
  area.SetWordReading(SongWordReading());
  area.SetAutomaticallyCheckSpelling(true);
}
}  // namespace

TEST(SpellHighlighterDeferred, ALongSongIsCheckedOnScreenAtOnceAndTheRestWhenIdle) {
  auto dict = SpellDictionary::EnUs();
  ASSERT_TRUE(dict) << "no en_US dictionary: the build requires one";
  QPlainTextEdit edit;
  QTextDocument* doc = edit.document();
  SpellHighlighter h(doc, SongWordReading(), dict);
  h.SetShownLines([] { return std::pair{40, 70}; });
  int edits = 0;
  QObject::connect(doc, &QTextDocument::contentsChanged, [&] { edits += h.Busy() ? 0 : 1; });

  edit.setPlainText(Song(2000));
  EXPECT_EQ(edits, 1);
  ASSERT_TRUE(h.Pending());
  for (int n = 40; n <= 70; ++n) {
    const QTextBlock b = doc->findBlockByNumber(n);
    ASSERT_EQ(Underlined(b), h.Misspelt(b.text())) << "line " << n;
  }
  EXPECT_TRUE(Underlined(doc->findBlockByNumber(1500)).isEmpty());  // not yet

  Drain(h);
  ASSERT_FALSE(h.Pending());
  for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
    ASSERT_EQ(Underlined(b), h.Misspelt(b.text())) << "line " << b.blockNumber();
  EXPECT_EQ(edits, 1);  // the checking is no edit: no change signal, no undo step
  EXPECT_FALSE(doc->isUndoAvailable());
}

// Edits of every kind between the slices of the idle checking, lines on screen checked at once
// as they change: the lines on screen are right after each step, and every line once it is idle.
// The rewrites keep the lines' lengths and their old underlines in place, so that a line left
// with what it knew of its old text shows.
TEST(SpellHighlighterDeferred, EditsBetweenTheSlicesEndWithEveryLineAsAFreshCheck) {
  auto dict = SpellDictionary::EnUs();
  ASSERT_TRUE(dict) << "no en_US dictionary: the build requires one";
  QPlainTextEdit edit;
  QTextDocument* doc = edit.document();
  edit.setPlainText(Song(3000));
  SpellHighlighter h(doc, SongWordReading(), dict);
  std::mt19937 rnd(5);
  std::pair<int, int> shown{0, 30};
  h.SetShownLines([&] { return shown; });
  h.VisiblePartChanged();

  const auto lineStart = [&](int n) { return doc->findBlockByNumber(n).position(); };
  for (int step = 0; step < 160; ++step) {
    const int lines = doc->blockCount();
    const int first = static_cast<int>(rnd() % lines);
    const int count = std::min(lines - first, 1 + static_cast<int>(rnd() % 600));
    QTextCursor c(doc);
    QString what;
    switch (rnd() % 6) {
      case 0: {  // many lines rewritten in place, each its own edit inside one step
        c.beginEditBlock();
        for (int n = first; n < first + count; ++n) {
          QTextCursor line(doc->findBlockByNumber(n));
          line.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
          QString text = line.selectedText();
          text.replace(QStringLiteral("lazzy"), QStringLiteral("lazy "))
              .replace(QStringLiteral("grace"), QStringLiteral("grxce"));
          line.insertText(text);
        }
        c.endEditBlock();
        what = QStringLiteral("rewrote %1 lines in place from %2").arg(count).arg(first);
        break;
      }
      case 1:  // many lines replaced
        c.setPosition(lineStart(first));
        c.setPosition(lineStart(first + count - 1), QTextCursor::KeepAnchor);
        c.insertText(Song(1 + static_cast<int>(rnd() % 500)));
        what = QStringLiteral("replaced %1 lines from %2").arg(count).arg(first);
        break;
      case 2:  // many lines removed
        c.setPosition(lineStart(first));
        c.setPosition(lineStart(first + count - 1), QTextCursor::KeepAnchor);
        c.removeSelectedText();
        what = QStringLiteral("removed %1 lines from %2").arg(count).arg(first);
        break;
      case 3: {  // typing inside a line
        const QTextBlock b = doc->findBlockByNumber(first);
        c.setPosition(b.position() + static_cast<int>(rnd() % b.length()));
        c.insertText(rnd() % 2 ? QStringLiteral("q") : QStringLiteral("[C"));
        what = QStringLiteral("typed in line %1").arg(first);
        break;
      }
      case 4:
        doc->undo();
        what = QStringLiteral("undid");
        break;
      default: {  // scrolled
        const int top = static_cast<int>(rnd() % lines);
        shown = {top, top + 30};
        h.VisiblePartChanged();
        what = QStringLiteral("showed line %1").arg(top);
        break;
      }
    }
    if (rnd() % 2) QCoreApplication::processEvents();  // one slice, at most
    for (int n = shown.first; n <= shown.second && n < doc->blockCount(); ++n) {
      const QTextBlock b = doc->findBlockByNumber(n);
      ASSERT_EQ(Underlined(b), h.Misspelt(b.text())) << "step " << step << ", " << qPrintable(what) << ", line " << n;
    }
  }
  Drain(h);
  for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
    ASSERT_EQ(Underlined(b), h.Misspelt(b.text())) << "line " << b.blockNumber();
}

// The song text area shows the lines it scrolls to checked, before anything else runs.
TEST(SpellHighlighterDeferred, TheTextAreaChecksTheLinesItScrollsTo) {
  ASSERT_TRUE(SpellDictionary::EnUs()) << "no en_US dictionary: the build requires one";
  TextArea area;
  ShowChecking(area);
  SpellHighlighter* h = area.Speller();
  ASSERT_NE(h, nullptr);
  int changes = 0;
  QObject::connect(&area, &TextArea::TextChange, [&] { ++changes; });
  area.SetText(Song(2000));
  ASSERT_TRUE(h->Pending());

  const auto expectShownChecked = [&](const char* where) {
    const QTextBlock top = area.cursorForPosition(QPoint(0, 0)).block();
    const QTextBlock bottom = area.cursorForPosition(QPoint(0, area.viewport()->height() - 1)).block();
    ASSERT_LE(top.blockNumber(), bottom.blockNumber());
    for (QTextBlock b = top; b.isValid() && b.blockNumber() <= bottom.blockNumber(); b = b.next())
      ExpectCheckedOnScreen(*h, area, b, where);
  };
  expectShownChecked("at the top");
  area.SetSelStart(static_cast<int>(area.Text().size()));  // to the last line
  area.ensureCursorVisible();
  ASSERT_GT(area.cursorForPosition(QPoint(0, 0)).block().blockNumber(), 1900);
  expectShownChecked("at the end");
  EXPECT_TRUE(h->Pending());

  Drain(*h);
  for (QTextBlock b = area.document()->begin(); b.isValid(); b = b.next())
    ExpectCheckedOnScreen(*h, area, b, "drained");
  EXPECT_EQ(changes, 1);
}

// A long line of misspelt words carries on its layout only the underlines near the part on
// screen (Qt's text engine pays for each one every time it lays the line out or draws it);
// wherever the text area scrolls to and whatever is typed there, the words on screen are
// underlined before they are painted, and switching the checking off leaves no underline.
TEST(SpellHighlighterDeferred, ALongLineIsUnderlinedOnScreenWhereverItScrollsAndIsTyped) {
  ASSERT_TRUE(SpellDictionary::EnUs()) << "no en_US dictionary: the build requires one";
  QString line;
  while (line.size() < 200000) line += QStringLiteral("[G]amazzing lazzy grayce speling ");
  TextArea area;
  ShowChecking(area);
  SpellHighlighter* h = area.Speller();
  ASSERT_NE(h, nullptr);
  area.SetText(line);
  QCoreApplication::processEvents();
  const QTextBlock b = area.document()->firstBlock();
  const qsizetype all = h->Misspelt(b.text()).size();
  ASSERT_GT(all, 10000);
  const auto expectOnScreen = [&](const char* where) {
    QCoreApplication::processEvents();
    ExpectCheckedOnScreen(*h, area, b, where);
    EXPECT_LT(Underlined(b).size(), all / 10) << where;
  };
  expectOnScreen("at the start");
  for (const double at : {0.5, 0.98, 0.25}) {
    area.SetSelStart(static_cast<int>(line.size() * at));
    area.ensureCursorVisible();
    expectOnScreen("scrolled");
  }
  // Typed at the end of a word: "lazzyx", then taken back.
  area.SetSelStart(static_cast<int>(line.indexOf(QStringLiteral("lazzy"), line.size() / 3) + 5));
  area.ensureCursorVisible();
  area.setFocus();
  QKeyEvent x(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
  QCoreApplication::sendEvent(&area, &x);
  expectOnScreen("typed");
  QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
  QCoreApplication::sendEvent(&area, &back);
  expectOnScreen("taken back");
  area.verticalScrollBar()->setValue(area.verticalScrollBar()->maximum());
  expectOnScreen("scroll bar to the end");
  area.SetAutomaticallyCheckSpelling(false);
  EXPECT_TRUE(Underlined(b).isEmpty());
  area.SetAutomaticallyCheckSpelling(true);
  expectOnScreen("switched on again");
}
