#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

#include "shell/toolbar1.h"
#include "window_fixture.h"

namespace {

// The menus that are open on screen.
int OpenMenus() {
  int open = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<QMenu*>(w) && w->isVisible()) ++open;
  return open;
}

using WindowContextMenuTest = WindowFixture;

// A main window offers the list of its toolbars on a right click over its bars; with one toolbar
// that cannot be hidden from there, that menu would be empty.
TEST_F(WindowContextMenuTest, ARightClickOnTheMenuBarOrTheToolbarOpensNoMenu) {
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
  QWidget* button = w->Toolbar11()->widgetForAction(w->Toolbar11()->ToolItem1);
  ASSERT_TRUE(button);
  const struct {
    const char* what;
    QWidget* target;
    QPoint at;
  } clicks[] = {
      {"menu bar, past the menus", w->menuBar(), QPoint(w->menuBar()->width() - 5, 5)},
      {"menu bar, on a menu title", w->menuBar(), w->menuBar()->actionGeometry(w->menuBar()->actions()[0]).center()},
      {"toolbar button", button, QPoint(5, 5)},
      {"toolbar, past the buttons", w->Toolbar11(), QPoint(w->Toolbar11()->width() - 5, 5)}};
  for (const auto& c : clicks) {
    SCOPED_TRACE(c.what);
    QContextMenuEvent event(QContextMenuEvent::Mouse, c.at, c.target->mapToGlobal(c.at));
    QApplication::sendEvent(c.target, &event);
    QApplication::processEvents();
    EXPECT_EQ(OpenMenus(), 0);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  }
}

}  // namespace
