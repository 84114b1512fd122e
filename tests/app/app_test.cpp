#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <QGuiApplication>

#include <sys/stat.h>

#include "app/app.h"
#include "app/ini_class.h"
#include "app/module1.h"
#include "app/resources_folder.h"
#include "support/doubles/resources_elsewhere.h"
#include "platform/core/errors.h"
#include "settings_folder_fixture.h"

namespace {

using AppTest = SettingsFolderTest;

TEST_F(AppTest, OpenEventSetsTheMarkerAutoQuitAndTheSettingsStore) {
  QGuiApplication::setQuitOnLastWindowClosed(false);
  EXPECT_THROW(App::Instance(), NilObjectException);
  App::Register(std::make_unique<App>());
  App::Instance().Event_Open();

  EXPECT_EQ(Module1::newPageSymbol, "+++++");
  EXPECT_TRUE(App::Instance().AutoQuit());
  ASSERT_TRUE(Module1::myINI);
  EXPECT_EQ(Module1::myINI->iniFileName().Path(), NewFolder() + "/Harmonote.ini");
  EXPECT_TRUE(QFileInfo(NewFolder()).isDir());
  Module1::myINI->SetPreference("Toolbar", "Visible", "0");
  EXPECT_EQ(Read(NewFolder() + "/Harmonote.ini"), QByteArray("[Toolbar]\rVisible=0\r"));
}

TEST_F(AppTest, OpenDocumentKeepsTheLastItemHandedOver) {
  App app;
  app.Event_OpenDocument(FolderItem("/tmp/first.hmnt"));
  app.Event_OpenDocument(FolderItem("/tmp/second.txt"));
  ASSERT_TRUE(Module1::gOpenThisFile);
  EXPECT_EQ(Module1::gOpenThisFile->Path(), "/tmp/second.txt");
  app.Event_OpenDocument(FolderItem());  // a nil item: nothing left to open
  EXPECT_FALSE(Module1::gOpenThisFile);
}

TEST_F(AppTest, MigrationCopiesOnlyWhenTheNewFolderIsMissing) {
  Write(OldFolder() + "/Harmonote.ini", "[Toolbar]\rVisible=0\r");
  Write(OldFolder() + "/sub/more.txt", "more");
  Write(root.filePath("outside.txt"), "secret");
  QFile::link(root.filePath("outside.txt"), OldFolder() + "/link.txt");
  ASSERT_EQ(::mkfifo(QFile::encodeName(OldFolder() + "/sub/pipe").constData(), 0644), 0);

  testing::internal::CaptureStderr();
  App().SetupINI();  // the named pipe is never opened: start-up goes on
  const std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_NE(errors.find("/sub/pipe\" in the old settings folder is not a regular file"), std::string::npos) << errors;
  EXPECT_FALSE(QFileInfo::exists(NewFolder() + "/sub/pipe"));
  EXPECT_EQ(Read(NewFolder() + "/Harmonote.ini"), QByteArray("[Toolbar]\rVisible=0\r"));
  EXPECT_EQ(Read(NewFolder() + "/sub/more.txt"), QByteArray("more"));
  EXPECT_FALSE(QFileInfo::exists(NewFolder() + "/link.txt"));  // links are not followed
  EXPECT_FALSE(QFileInfo::exists(NewFolder() + ".partial"));
  EXPECT_EQ(Read(OldFolder() + "/Harmonote.ini"), QByteArray("[Toolbar]\rVisible=0\r"));  // the old one stays
  QString value;
  EXPECT_EQ(Module1::myINI->GetPreference("Toolbar", "Visible", value), 1);

  // Both present: the new folder is left as it is.
  Write(NewFolder() + "/Harmonote.ini", "[Toolbar]\rVisible=1\r");
  App().SetupINI();
  EXPECT_EQ(Read(NewFolder() + "/Harmonote.ini"), QByteArray("[Toolbar]\rVisible=1\r"));
}

// Copies the first file of the tree, then fails, as an interrupted copy would.
class FailingCopyApp : public App {
 protected:
  void CopyFolder(const FolderItem& from, const FolderItem& dest) override {
    dest.CreateAsFolder();
    from.Child("Harmonote.ini").CopyFileTo(dest.Child("Harmonote.ini"));
    throw IOException("The disk is full");
  }
};

TEST_F(AppTest, AFailedMigrationLeavesNothingHalfMade) {
  Write(OldFolder() + "/Harmonote.ini", "[Toolbar]\rVisible=0\r");
  Write(OldFolder() + "/other.txt", "other");

  FailingCopyApp().SetupINI();  // start-up goes on and the store works on the new place
  EXPECT_FALSE(QFileInfo::exists(NewFolder() + ".partial"));
  EXPECT_FALSE(QFileInfo::exists(NewFolder() + "/Harmonote.ini"));
  QString value;
  EXPECT_EQ(Module1::myINI->GetPreference("Toolbar", "Visible", value), 0);
  Module1::myINI->SetPreference("Toolbar", "Visible", "1");
  EXPECT_EQ(Read(NewFolder() + "/Harmonote.ini"), QByteArray("[Toolbar]\rVisible=1\r"));
}

TEST_F(AppTest, ACopyCutOffByAnEndedProcessIsMadeAgainAtTheNextStart) {
  Write(OldFolder() + "/Harmonote.ini", "[Toolbar]\rVisible=0\r");
  Write(OldFolder() + "/other.txt", "other");
  Write(NewFolder() + ".partial/Harmonote.ini", "[Toolbar]\rVisi");  // what the ended run left

  App().SetupINI();
  EXPECT_EQ(Read(NewFolder() + "/Harmonote.ini"), QByteArray("[Toolbar]\rVisible=0\r"));
  EXPECT_EQ(Read(NewFolder() + "/other.txt"), QByteArray("other"));
  EXPECT_FALSE(QFileInfo::exists(NewFolder() + ".partial"));
}

TEST_F(AppTest, NoUsableSettingsFolderNeverStopsStartUp) {
  Write(root.filePath("plain-file"), "x");
  qputenv("XDG_CONFIG_HOME", root.filePath("plain-file/config").toUtf8());
  App::Register(std::make_unique<App>());
  EXPECT_NO_THROW(App::Instance().Event_Open());
  ASSERT_TRUE(Module1::myINI);
  QString value = "old";
  EXPECT_EQ(Module1::myINI->GetPreference("Toolbar", "Visible", value), 0);
  EXPECT_EQ(value, "");
  EXPECT_NO_THROW(Module1::myINI->SetPreference("Toolbar", "Visible", "1"));
  EXPECT_EQ(Module1::myINI->ReportedFailures().size(), 1);
}

TEST(ResourcesFolder, IsBesideTheExecutablesParentFolderOrInTheInstalledPlace) {
  QTemporaryDir root;
  const QString build = root.filePath("build"), prefix = root.filePath("prefix"), bare = root.filePath("bare");
  for (const QString& folder : {build + "/bin", build + "/Resources", build + "/share/harmonote/Resources",
                                prefix + "/bin", prefix + "/share/harmonote/Resources", bare + "/bin"})
    QDir().mkpath(folder);
  EXPECT_EQ(ResourcesFolderFor(FolderItem(build + "/bin")).Path(), build + "/Resources");
  EXPECT_EQ(ResourcesFolderFor(FolderItem(prefix + "/bin")).Path(), prefix + "/share/harmonote/Resources");
  EXPECT_EQ(ResourcesFolderFor(FolderItem(bare + "/bin")).Path(), bare + "/Resources");

  EXPECT_EQ(ResourcesFolder().Path(), FolderItem(HARMONOTE_RESOURCES_DIR).Path());
  {
    const ResourcesElsewhere elsewhere("/tmp/elsewhere");
    EXPECT_EQ(ResourcesFolder().Path(), "/tmp/elsewhere");
  }
  EXPECT_EQ(App().ExecutableFile().Parent().Parent().Child("Resources").Path(), ResourcesFolder().Path());
}

}  // namespace
