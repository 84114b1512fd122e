// Saving a song, and writing the settings, on a full or failing disk: the old file stays whole,
// the user is told why, and the song stays unsaved so that nothing lets it be thrown away.
#include <QFile>

#include "app/ini_class.h"
#include "faults/fault_env.h"
#include "mainwindow/document_fixture.h"
#include "support/doubles/scripted_dialogs.h"

namespace {

class SongSaveFaults : public DocumentFixture, public ::testing::WithParamInterface<Fault> {};

TEST_P(SongSaveFaults, LeaveTheOldSongAndTheSongUnsaved) {
  REQUIRE_FAULT_SHIM();
  const QString faulty = QFileInfo(folder).canonicalFilePath();
  const FolderItem file = Write(QStringLiteral("song.hmnt"), SongBytes("Old", "[G]old words"));
  const QByteArray old = Bytes(file);
  OpenSong(file);
  w->txtSong()->SetText(QStringLiteral("[D]new words"));
  const DocState before = State();
  ASSERT_TRUE(before.dirty);
  {
    FaultScope fault(faulty, GetParam());
    EXPECT_TRUE(w->_mnuSave_Action());
  }
  EXPECT_EQ(Bytes(file), old);
  EXPECT_EQ(State(), before);
  ASSERT_EQ(dialogs.msgBoxes.size(), 1);
  EXPECT_TRUE(dialogs.msgBoxes[0].contains(file.Path())) << dialogs.msgBoxes[0].toStdString();
  EXPECT_TRUE(dialogs.msgBoxes[0].contains(GetParam().reason)) << dialogs.msgBoxes[0].toStdString();
  // Quitting now still asks.
  dialogs.messageAnswers = {DialogButton::Cancel};
  EXPECT_TRUE(w->Check4Save());
}

INSTANTIATE_TEST_SUITE_P(EveryCall, SongSaveFaults, ::testing::ValuesIn(kFaults));

using SongSaveFolderSync = DocumentFixture;

TEST_F(SongSaveFolderSync, AFailedSyncOfTheFolderIsToldAndTheSongStaysUnsavedUntilASaveSucceeds) {
  REQUIRE_FAULT_SHIM();
  // Only the folder is synced with fsync (the song itself with fdatasync).
  const QString faulty = QFileInfo(TestRoot()).canonicalFilePath();
  const FolderItem file = Write(QStringLiteral("song.hmnt"), SongBytes("Old", "[G]old words"));
  OpenSong(file);
  w->txtSong()->SetText(QStringLiteral("[D]new words"));
  {
    FaultScope fault(faulty, Fault{"fsync", "EIO", ""});
    EXPECT_TRUE(w->_mnuSave_Action());
  }
  EXPECT_TRUE(Bytes(file).contains("[D]new words"));
  EXPECT_TRUE(w->Modified());
  ASSERT_EQ(dialogs.msgBoxes.size(), 1);
  EXPECT_TRUE(dialogs.msgBoxes[0].startsWith(
      QStringLiteral("The song was written to \"%1\" but may not survive a crash.").arg(file.Path())))
      << dialogs.msgBoxes[0].toStdString();
  EXPECT_TRUE(dialogs.msgBoxes[0].contains("Input/output error")) << dialogs.msgBoxes[0].toStdString();
  dialogs.messageAnswers = {DialogButton::Cancel};
  EXPECT_TRUE(w->Check4Save());
  // The next save goes through without asking about a change of its own.
  dialogs.messageDialogs.clear();
  EXPECT_TRUE(w->_mnuSave_Action());
  EXPECT_FALSE(w->Modified());
  EXPECT_TRUE(dialogs.messageDialogs.empty());
  EXPECT_EQ(dialogs.msgBoxes.size(), 1);
}

class SettingsWriteFaults : public ::testing::TestWithParam<Fault> {};

TEST_P(SettingsWriteFaults, LeaveTheOldSettingsAndReportTheReason) {
  REQUIRE_FAULT_SHIM();
  static int serial = 0;
  const QString folder = FaultFolder(QStringLiteral("settings-faults-%1").arg(++serial));
  const FolderItem file(folder + QStringLiteral("/Harmonote.ini"));
  iniClass ini(file);
  ini.SetPreference(QStringLiteral("Toolbar"), QStringLiteral("Visible"), QStringLiteral("1"));
  {
    FaultScope fault(folder, GetParam());
    ini.SetPreference(QStringLiteral("Toolbar"), QStringLiteral("Visible"), QStringLiteral("0"));
  }
  QString value;
  EXPECT_EQ(ini.GetPreference(QStringLiteral("Toolbar"), QStringLiteral("Visible"), value), 1);
  EXPECT_EQ(value, QStringLiteral("1"));
  ASSERT_EQ(ini.ReportedFailures().size(), 1);
  EXPECT_TRUE(ini.ReportedFailures()[0].contains(GetParam().reason)) << ini.ReportedFailures()[0].toStdString();
}

INSTANTIATE_TEST_SUITE_P(EveryCall, SettingsWriteFaults, ::testing::ValuesIn(kFaults));

}  // namespace
