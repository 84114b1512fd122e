// On a screen smaller than the window (the suite's 1366x768) the view over the controls scrolls:
// wherever the keyboard takes the caret of the focused field or of the song text, the view keeps
// the caret in sight.
#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>

#include "mainwindow/window_fixture.h"
#include "x11/x_input.h"

namespace {
// The caret of a text control, in global coordinates.
QRect Caret(QWidget* control) {
  if (auto* area = qobject_cast<QPlainTextEdit*>(control)) {
    const QRect r = area->cursorRect();
    return QRect(area->viewport()->mapToGlobal(r.topLeft()), r.size());
  }
  const QRect r = control->inputMethodQuery(Qt::ImCursorRectangle).toRect();
  return QRect(control->mapToGlobal(r.topLeft()), r.size());
}

class CaretInSight : public WindowFixture {
 protected:
  QAbstractScrollArea* View() const { return qobject_cast<QAbstractScrollArea*>(w->centralWidget()); }

  // The part of the screen where the controls show: the view's viewport, inside the screen.
  QRect Shown() const {
    const QWidget* port = View()->viewport();
    return QRect(port->mapToGlobal(QPoint(0, 0)), port->size()).intersected(w->screen()->geometry());
  }

  // Whether the caret of control shows whole; a failure says where it is.
  ::testing::AssertionResult InSight(QWidget* control) const {
    xinput::WaitUntil([&] { return Shown().contains(Caret(control)); }, 2000);
    const QRect caret = Caret(control), shown = Shown();
    if (shown.contains(caret)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the caret of " << control->objectName().toStdString() << " at "
                                         << caret.x() << "," << caret.y() << " (" << caret.width() << "x"
                                         << caret.height() << ") is outside the shown part " << shown.x() << ","
                                         << shown.y() << " (" << shown.width() << "x" << shown.height() << ")";
  }
};

QString LongSong(int lines) {
  QStringList text;
  for (int i = 1; i <= lines; ++i) text << QStringLiteral("[G]Line %1 of the song").arg(i);
  return text.join(QLatin1Char('\r'));
}
}  // namespace

TEST_F(CaretInSight, TheSongTextsCaretStaysInSightAsTheKeysMoveIt) {
  REQUIRE_X_SERVER();
  Watchdog watchdog(60, "moving the caret through a long song");
  ASSERT_TRUE(xinput::ShowActive(w));
  ASSERT_GT(View()->verticalScrollBar()->maximum(), 0) << "the window fits the screen: run on a 1366x768 screen";
  w->txtSong()->SetText(LongSong(200));
  xinput::Click(w->txtSong());
  ASSERT_TRUE(xinput::WaitUntil([&] { return w->txtSong()->hasFocus(); }));
  const struct {
    const char* keys;
    const char* typed;
  } steps[] = {{"ctrl+End", ""}, {"", "\nlast line"}, {"ctrl+Home", ""}, {"ctrl+End", ""}, {"Page_Up", ""}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.keys);
    if (*step.keys) xinput::Keys(QString::fromLatin1(step.keys));
    xinput::Type(QString::fromLatin1(step.typed));
    xinput::Settle();
    EXPECT_TRUE(InSight(w->txtSong()));
  }
  EXPECT_TRUE(w->txtSong()->Text().endsWith(QStringLiteral("\rlast line")));
}

TEST_F(CaretInSight, AFieldsCaretComesBackInSightAsItIsTyped) {
  REQUIRE_X_SERVER();
  Watchdog watchdog(60, "typing into a field scrolled out of sight");
  ASSERT_TRUE(xinput::ShowActive(w));
  QScrollBar* bar = View()->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0) << "the window fits the screen: run on a 1366x768 screen";
  ASSERT_TRUE(xinput::WaitUntil([&] { return w->txtTitle()->hasFocus(); }));
  xinput::Settle();
  // The user scrolls the view to its end, away from the title; the title keeps the focus.
  bar->setValue(bar->maximum());
  xinput::Settle();
  ASSERT_FALSE(Shown().contains(Caret(w->txtTitle())));
  xinput::Type(QStringLiteral("Hymn"));
  EXPECT_TRUE(InSight(w->txtTitle()));
  EXPECT_EQ(w->txtTitle()->Text(), "Hymn");
}
