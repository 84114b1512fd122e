// Undo in a line field on a real desktop: typed into the Title field, Ctrl+Z takes the typing back
// to the title the song was given, Ctrl+Shift+Z brings it back, and Edit > Undo, opened from the
// keyboard, reaches the field as well.
#include <gtest/gtest.h>

#include <QApplication>

#include "mainwindow/window_fixture.h"
#include "x11/x_input.h"

using FieldUndo = WindowFixture;

TEST_F(FieldUndo, CtrlZTakesBackTheTypingInTheTitle) {
  REQUIRE_X_SERVER();
  Watchdog watchdog(60, "undo in the Title field");
  w->txtTitle()->SetText("Amazing");  // as opening a song sets it
  ASSERT_TRUE(xinput::ShowActive(w));
  ASSERT_TRUE(xinput::WaitUntil([&] { return QApplication::focusWidget() == w->txtTitle(); }));
  const auto titleIs = [&](const QString& text) {
    const bool reached = xinput::WaitUntil([&] { return w->txtTitle()->Text() == text; }, 2000);
    EXPECT_TRUE(reached) << "the title holds \"" << w->txtTitle()->Text().toStdString() << "\", not \""
                         << text.toStdString() << "\"";
    return reached;
  };
  w->txtTitle()->end(false);
  xinput::Type(" Grace");
  ASSERT_TRUE(titleIs("Amazing Grace"));
  xinput::Keys("ctrl+z");
  EXPECT_TRUE(titleIs("Amazing"));
  xinput::Keys("ctrl+z");
  xinput::Settle();
  EXPECT_TRUE(titleIs("Amazing")) << "the title given is where the history starts";
  xinput::Keys("ctrl+shift+z");
  EXPECT_TRUE(titleIs("Amazing Grace"));
  xinput::Keys("alt+e");
  ASSERT_TRUE(xinput::WaitUntil([] { return QApplication::activePopupWidget() != nullptr; }))
      << "the Edit menu did not open";
  xinput::Keys("u");
  EXPECT_TRUE(titleIs("Amazing"));
  EXPECT_EQ(w->State().Document().title, "Amazing");
}
