// A keystroke that makes the spell checker underline its line again repaints that line, as any
// edit of a line does, and not the whole text area.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QRegion>
#include <QTest>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QtMath>

#include "mainwindow/song_spelling.h"
#include "platform/desktop/bracket_index.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/spell_check.h"
#include "spell_underlines.h"

namespace {

// What a widget was asked to paint.
class PaintedRegion : public QObject {
 public:
  explicit PaintedRegion(QWidget* w) { w->installEventFilter(this); }
  QRegion region;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) region += static_cast<QPaintEvent*>(e)->region();
    return false;
  }
};

// The key sent to the focused area, and what its viewport repainted for it.
QRect Repainted(TextArea& area, Qt::Key key, const QString& text) {
  QCoreApplication::processEvents();
  PaintedRegion painted(area.viewport());
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(&area, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(&area, &release);
  QCoreApplication::processEvents();
  return painted.region.boundingRect();
}

}  // namespace

// The letters are typed at the end of the first word of a line, so that the word becomes
// misspelt and the line is underlined again, then taken back; the short line is one of many on
// screen, the long one fills the view with rows, and either way only its own rows repaint.
TEST(TextAreaRepaint, AKeyThatChangesTheUnderlinesOfItsLineRepaintsThatLineAlone) {
  ASSERT_TRUE(SpellDictionary::EnUs()) << "no en_US dictionary: the build requires one";
  QString longLine;
  // Just long enough to be re-checked around its edits only.
  while (longLine.size() < 2 * BracketIndex::kChunk + 100) longLine += QStringLiteral("[G]amazing grace how sweet ");
  struct Case {
    const char* what;
    QString line;  // the line typed in, among short lines of lyrics
  } cases[] = {{"a short line", QStringLiteral("amazing grace how sweet the sound lazzy")}, {"a long line", longLine}};
  for (const Case& c : cases) {
    QStringList lines;
    for (int i = 0; i < 400; ++i) lines << (i == 200 ? c.line : QStringLiteral("[C]the lazzy sound %1").arg(i));
    TextArea area;
    area.resize(1800, 1000);
    area.SetWordReading(SongWordReading());
    area.SetAutomaticallyCheckSpelling(true);
    area.SetText(lines.join(QLatin1Char('\r')));
    area.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&area));
    // The lines off screen checked first: each slice of that checking repaints what it marked.
    for (int i = 0; i < 100000 && area.Speller()->Pending(); ++i) QCoreApplication::processEvents();
    ASSERT_FALSE(area.Speller()->Pending());
    area.setFocus();
    const QTextBlock line = area.document()->findBlockByNumber(200);
    area.SetSelStart(line.position() + static_cast<int>(c.line.indexOf(QLatin1Char(' '))));
    area.centerCursor();
    const QList<QPair<int, int>> before = Underlined(line);

    const int rows = qCeil(area.document()->documentLayout()->blockBoundingRect(line).height());
    const QRect view = area.viewport()->rect();
    ASSERT_LT(rows, view.height() / 2) << c.what << ": the view must show more than the line";
    const QRect typed = Repainted(area, Qt::Key_X, QStringLiteral("x"));
    ASSERT_NE(Underlined(line), before) << c.what << ": the letter must change the line's underlines";
    EXPECT_LE(typed.height(), rows + 2) << c.what << ": typed, repainted " << typed.top() << " to " << typed.bottom()
                                        << " of " << view.height();
    const QRect erased = Repainted(area, Qt::Key_Backspace, QString());
    EXPECT_EQ(Underlined(line), before) << c.what;
    EXPECT_LE(erased.height(), rows + 2) << c.what << ": taken back, repainted " << erased.top() << " to "
                                         << erased.bottom() << " of " << view.height();
  }
}
