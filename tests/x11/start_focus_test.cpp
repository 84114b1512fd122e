// Where the keyboard goes when the main window opens on a real desktop, before anything was
// clicked: to the Title field, and a Tab cycle stops only at the window's inputs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollArea>

#include "mainwindow/window_fixture.h"
#include "x11/x_input.h"

using StartFocus = WindowFixture;

TEST_F(StartFocus, KeysTypedAtOnceGoToTheTitle) {
  REQUIRE_X_SERVER();
  Watchdog watchdog(60, "typing at start-up");
  ASSERT_TRUE(xinput::ShowActive(w));
  xinput::Type("Hymn");
  EXPECT_TRUE(xinput::WaitUntil([&] { return w->txtTitle()->Text() == "Hymn"; }))
      << "the title holds \"" << w->txtTitle()->Text().toStdString() << "\"; the focus is on "
      << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() : "nothing");
}

TEST_F(StartFocus, TabStopsOnlyAtTheInputs) {
  REQUIRE_X_SERVER();
  Watchdog watchdog(60, "a Tab cycle");
  ASSERT_TRUE(xinput::ShowActive(w));
  ASSERT_TRUE(xinput::WaitUntil([&] { return QApplication::focusWidget() != nullptr; }));
  QWidget* first = QApplication::focusWidget();
  for (int i = 0; i < 60; ++i) {
    QWidget* now = QApplication::focusWidget();
    ASSERT_NE(now, nullptr);
    EXPECT_EQ(qobject_cast<QAbstractScrollArea*>(now) && now != w->txtSong(), false)
        << "Tab stop " << i << " is the scrolling view " << now->objectName().toStdString();
    xinput::Keys("Tab");
    ASSERT_TRUE(xinput::WaitUntil([&] { return QApplication::focusWidget() != now; }, 2000))
        << "Tab did not move the focus on from " << now->objectName().toStdString();
    if (QApplication::focusWidget() == first) return;
  }
  ADD_FAILURE() << "Tab never came back to the first input";
}
