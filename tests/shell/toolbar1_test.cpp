#include <gtest/gtest.h>

#include <QFile>
#include <QMainWindow>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <optional>

#include "shell/menu_bar1.h"
#include "support/doubles/resources_elsewhere.h"
#include "shell/resource_pictures.h"
#include "shell/toolbar1.h"
#include "platform/desktop/controls/bevel_button.h"
#include "support/contrast.h"

namespace {

TEST(Toolbar1, SevenButtonsInOrderWithCaptionsAndTheMenusPictures) {
  ReleaseResourcePictures();
  MenuBar1::Release();
  Toolbar1 bar;
  const QStringList captions = {"Chord", "Caption", "Paragraph", "Frets", "Bold", "Column", "Page"};
  const QStringList menuItems = {"mnuInsertChord", "mnuInsertCaption", "mnuInsertParagrpah", "mnuInsertFrets",
                                 "mnuInsertBold",  "mnuInsertColumn",  "mnuInsertPage"};
  const auto buttons = bar.Buttons();
  ASSERT_EQ(bar.actions().size(), 7);
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(captions[i].toStdString());
    QAction* item = buttons[size_t(i)];
    EXPECT_EQ(bar.actions()[i], item);
    EXPECT_EQ(item->objectName(), QString("ToolItem%1").arg(i + 1));
    EXPECT_EQ(item->text(), captions[i]);
    EXPECT_TRUE(item->isEnabled());
    EXPECT_FALSE(item->isCheckable());
    ASSERT_TRUE(bar.PictureOf(item));
    EXPECT_FALSE(item->icon().isNull());
    // Its own action, the same picture as the Insert item of that marker.
    MenuItem* menuItem = MenuBar1::Instance().Item(menuItems[i]);
    EXPECT_NE(menuItem->Action(), item);
    EXPECT_EQ(menuItem->Icon(), bar.PictureOf(item));
  }
  EXPECT_FALSE(bar.isMovable());
  EXPECT_FALSE(bar.isFloatable());
  EXPECT_EQ(bar.contextMenuPolicy(), Qt::PreventContextMenu);
  EXPECT_FALSE(bar.toggleViewAction()->isEnabled());
}

TEST(Toolbar1, AClickReportsTheClickedButton) {
  QMainWindow window;
  auto* bar = new Toolbar1(&window);
  window.addToolBar(bar);
  window.show();
  QSignalSpy spy(bar, &Toolbar1::Action);
  for (QAction* item : {bar->ToolItem3, bar->ToolItem7, bar->ToolItem1}) {
    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(item));
    ASSERT_TRUE(button);
    QTest::mouseClick(button, Qt::LeftButton);
  }
  ASSERT_EQ(spy.count(), 3);
  EXPECT_EQ(spy[0][0].value<QAction*>(), bar->ToolItem3);
  EXPECT_EQ(spy[1][0].value<QAction*>(), bar->ToolItem7);
  EXPECT_EQ(spy[2][0].value<QAction*>(), bar->ToolItem1);
}

TEST(Toolbar1, AButtonWithoutItsPictureKeepsItsPlaceAndGetsItWhenTheFileComes) {
  QTemporaryDir folder;
  for (const char* file :
       {"Chord_32.bmp", "Caption_32.bmp", "Paragraph_32.bmp", "Frets_32.bmp", "Column_32.bmp", "Page_32.bmp"})
    ASSERT_TRUE(QFile::copy(QString(HARMONOTE_RESOURCES_DIR) + "/" + file, folder.filePath(file)));
  std::optional<ResourcesElsewhere> resources(std::in_place, folder.path());
  ReleaseResourcePictures();
  {
    Toolbar1 bar;
    EXPECT_EQ(bar.ToolItem5->text(), "Bold");
    EXPECT_TRUE(bar.ToolItem5->isEnabled());
    EXPECT_EQ(bar.actions()[4], bar.ToolItem5);
    EXPECT_FALSE(bar.PictureOf(bar.ToolItem5));
    EXPECT_TRUE(bar.ToolItem5->icon().isNull());
    EXPECT_TRUE(bar.PictureOf(bar.ToolItem6));
  }
  ASSERT_TRUE(QFile::copy(QString(HARMONOTE_RESOURCES_DIR) + "/Bold_32.bmp", folder.filePath("Bold_32.bmp")));
  Toolbar1 later;
  EXPECT_TRUE(later.PictureOf(later.ToolItem5));
  resources.reset();
  ReleaseResourcePictures();
}

// The pictures stand out from what they are drawn on, in a light and in a dark theme: each
// toolbar button's picture and the Settings button's.
TEST(Toolbar1, PicturesAreVisibleInLightAndDarkThemes) {
  ReleaseResourcePictures();
  for (const bool dark : {false, true}) {
    SCOPED_TRACE(dark ? "dark theme" : "light theme");
    contrast::Theme theme(dark);
    QMainWindow window;
    auto* bar = new Toolbar1(&window);
    window.addToolBar(bar);
    BevelButton settings;
    settings.setIcon(IconOf(Slider16()));
    settings.resize(40, 24);  // the picture alone: the caption's own contrast is the style's
    window.show();
    QApplication::processEvents();
    for (QAction* item : bar->Buttons()) {
      QWidget* button = bar->widgetForAction(item);
      ASSERT_TRUE(button);
      const QImage shot = button->grab().toImage();
      // The picture's part of the button, above its caption.
      const QRect picture((shot.width() - 36) / 2, 0, 36, 38);
      EXPECT_GE(contrast::InkContrast(shot, picture), 3.0) << item->text().toStdString();
    }
    EXPECT_GE(contrast::InkContrast(settings.grab().toImage(), settings.rect()), 3.0) << "Settings";
  }
}

}  // namespace
