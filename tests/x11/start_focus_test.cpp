// Where the keyboard goes when the main window opens on a real desktop, before anything was
// clicked: to the Title field, and a Tab cycle stops only at the window's inputs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollArea>

#include "mainwindow/window_fixture.h"
#include "x11/tab_cycle.h"
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
  for (QWidget* stop : TabCycle(w))
    EXPECT_FALSE(qobject_cast<QAbstractScrollArea*>(stop) && stop != w->txtSong())
        << "a Tab stop is the scrolling view " << Described(stop);
}
