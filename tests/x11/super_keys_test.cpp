// The Super key held with a letter, pressed for real: the desktop's key, like Alt and Ctrl, types
// nothing into the window's fields or its song text.
#include <gtest/gtest.h>

#include "mainwindow/window_fixture.h"
#include "x11/x_input.h"

using SuperKeys = WindowFixture;

TEST_F(SuperKeys, SuperWithALetterTypesNothing) {
  REQUIRE_X_SERVER();
  Watchdog watchdog(60, "Super with letters");
  ASSERT_TRUE(xinput::ShowActive(w));
  const auto textOf = [this](QWidget* control) {
    return control == w->txtSong() ? w->txtSong()->Text() : w->txtTitle()->Text();
  };
  for (QWidget* control : std::initializer_list<QWidget*>{w->txtTitle(), w->txtSong()}) {
    SCOPED_TRACE(control->objectName().toStdString());
    xinput::Click(control);
    ASSERT_TRUE(xinput::WaitUntil([control] { return control->hasFocus(); }));
    ASSERT_EQ(textOf(control), "");
    xinput::Keys("super+a");
    xinput::Keys("super+h");
    xinput::Keys("super+shift+k");
    xinput::Type("x");  // then a plain key, which types
    EXPECT_TRUE(xinput::WaitUntil([&] { return !textOf(control).isEmpty(); }));
    EXPECT_EQ(textOf(control), "x");
  }
}
