#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <sys/stat.h>

#include "app/app.h"
#include "app/file_types1.h"
#include "app/ini_class.h"
#include "app/module1.h"
#include "app/startup.h"
#include "platform/errors.h"
#include "platform/scripted_dialogs.h"
#include "settings_folder_fixture.h"

namespace {

class StartupTest : public SettingsFolderTest {
 protected:
  void SetUp() override {
    SettingsFolderTest::SetUp();
    previousDir = QDir::currentPath();
    QDir::setCurrent(root.path());
  }
  void TearDown() override {
    QDir::setCurrent(previousDir);
    // Start-up defined the document types; leave them undefined as the other tests expect.
    FileTypes1::pHMNT.reset();
    FileTypes1::pText.reset();
    FileTypes1::pAllFileTypes.clear();
    FileTypeRegistry::ClearForTests();
    SettingsFolderTest::TearDown();
  }
  QString previousDir;
  ScriptedDialogs dialogs;
  QStringList steps;
};

TEST_F(StartupTest, RunsTheOpenEventAndHandsDocumentsOverBeforeTheWindowExists) {
  Write(root.filePath("first.hmnt"), "song");
  Write(root.filePath("second.txt"), "text");
  QDir(root.path()).mkdir("a folder");
  ASSERT_EQ(::mkfifo(QFile::encodeName(root.filePath("pipe.hmnt")).constData(), 0644), 0);

  const int status = _RunApplication(
      {"first.hmnt", "missing.hmnt", "a folder", "second.txt", "pipe.hmnt"},
      [&] {
        steps << "window";
        // What the main window relies on when it is created.
        EXPECT_EQ(Module1::newPageSymbol, "+++++");
        EXPECT_TRUE(Module1::myINI);
        EXPECT_TRUE(App::Exists());
        EXPECT_TRUE(App::Instance().AutoQuit());
        EXPECT_TRUE(FileTypes1::HMNT() && FileTypes1::Text());
        ASSERT_TRUE(Module1::gOpenThisFile);
        EXPECT_EQ(Module1::gOpenThisFile->Path(), root.filePath("second.txt"));
      },
      [&] {
        steps << "loop";
        return 0;
      });

  EXPECT_EQ(status, 0);
  EXPECT_EQ(steps, QStringList({"window", "loop"}));
  ASSERT_EQ(dialogs.msgBoxes.size(), 1);
  EXPECT_TRUE(dialogs.msgBoxes[0].contains("\"missing.hmnt\": there is no such file.")) << dialogs.msgBoxes[0].toStdString();
  EXPECT_TRUE(dialogs.msgBoxes[0].contains("\"a folder\" is a folder.")) << dialogs.msgBoxes[0].toStdString();
  EXPECT_TRUE(dialogs.msgBoxes[0].contains("\"pipe.hmnt\" is not a regular file.")) << dialogs.msgBoxes[0].toStdString();
  EXPECT_FALSE(dialogs.msgBoxes[0].contains("second.txt"));
  EXPECT_FALSE(App::Exists());  // released at shutdown
}

TEST_F(StartupTest, NoDocumentsLeaveNothingToOpenAndShowNoMessage) {
  EXPECT_EQ(_RunApplication({}, [&] { EXPECT_FALSE(Module1::gOpenThisFile); }, [] { return 0; }), 0);
  EXPECT_TRUE(dialogs.msgBoxes.isEmpty());
}

TEST_F(StartupTest, AnExceptionDuringStartUpIsReportedAndEndsWithAFailureStatus) {
  const int status = _RunApplication(
      {}, [] { throw IOException("The window could not be made"); },
      [&] {
        steps << "loop";
        return 0;
      });
  EXPECT_NE(status, 0);
  EXPECT_TRUE(steps.isEmpty());  // no event loop
  ASSERT_EQ(dialogs.msgBoxes.size(), 1);
  EXPECT_TRUE(dialogs.msgBoxes[0].contains("The window could not be made"));
  EXPECT_FALSE(App::Exists());
}

}  // namespace
