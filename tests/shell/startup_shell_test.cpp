#include <gtest/gtest.h>

#include <QMainWindow>
#include <QMenu>
#include <QPointer>

#include "app/app.h"
#include "app/file_types1.h"
#include "app/startup.h"
#include "platform/core/filetype.h"
#include "support/doubles/scripted_dialogs.h"
#include "shell/menu_bar1.h"
#include "shell/resource_pictures.h"

namespace {

TEST(Startup, InstallsTheMenuBarBeforeTheWindowAndReleasesTheSharedObjectsAtShutdown) {
  ScriptedDialogs dialogs;
  MenuBar1::Release();
  ReleaseResourcePictures();
  QPointer<QMenu> fileMenu;
  std::weak_ptr<Picture> chord;
  const int status = _RunApplication(
      {},
      [&] {
        ASSERT_TRUE(App::Exists());
        EXPECT_EQ(App::Instance().MenuBar(), static_cast<ApplicationMenuBar*>(&MenuBar1::Instance()));
        fileMenu = MenuBar1::Instance().Item("FileMenu")->Menu();
        chord = Chord_32();
      },
      [&] {
        EXPECT_TRUE(fileMenu);
        return 0;
      },
      MakeApplicationMenuBar);
  EXPECT_EQ(status, 0);
  EXPECT_FALSE(fileMenu);
  EXPECT_TRUE(chord.expired());
  EXPECT_TRUE(dialogs.msgBoxes.isEmpty());
  FileTypes1::_Release();
}

}  // namespace
