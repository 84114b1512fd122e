#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMainWindow>

#include "app/app.h"
#include "app/application_icon.h"

namespace {

TEST(ApplicationIcon, EveryDrawnSizeIsThereWithATransparentBackground) {
  const QIcon icon = ApplicationIcon();
  ASSERT_FALSE(icon.isNull());
  QList<int> sides;
  for (const QSize& size : icon.availableSizes()) {
    EXPECT_EQ(size.width(), size.height());
    sides.append(size.width());
  }
  EXPECT_EQ(sides, ApplicationIconSizes());
  EXPECT_EQ(sides.front(), 16);
  EXPECT_EQ(sides.back(), 256);
  for (int side : ApplicationIconSizes()) {
    SCOPED_TRACE(side);
    const QImage picture = icon.pixmap(side).toImage();
    ASSERT_EQ(picture.size(), QSize(side, side));
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(picture.pixel(side / 2, side / 2)), 255);
  }
}

// The window manager and the task switcher take a window's icon from the window, and a desktop
// finds the running application's entry by its desktop file name.
TEST(ApplicationIcon, MakingTheApplicationObjectGivesEveryWindowTheIcon) {
  QGuiApplication::setWindowIcon(QIcon());
  QGuiApplication::setDesktopFileName(QString());
  QMainWindow before;
  EXPECT_TRUE(before.windowIcon().isNull());
  { App app; }
  EXPECT_EQ(QGuiApplication::desktopFileName(), "harmonote");
  const QList<QSize> sizes = ApplicationIcon().availableSizes();
  QMainWindow main;
  QDialog dialog;
  for (QWidget* window : {static_cast<QWidget*>(&before), static_cast<QWidget*>(&main), static_cast<QWidget*>(&dialog)})
    EXPECT_EQ(window->windowIcon().availableSizes(), sizes);
}

}  // namespace
