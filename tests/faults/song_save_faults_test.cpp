// Saving a song, and writing the settings, on a full or failing disk: the old file stays whole,
// the user is told why, and the song stays unsaved so that nothing lets it be thrown away.
#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// A song written in place (it has a second name), its file last changed long ago, so that any
// change the save makes to it shows in its stamp.
class InPlaceSong : public DocumentFixture {
 protected:
  FolderItem OpenInPlaceSong(const QString& text) {
    const FolderItem file = Write(QStringLiteral("song.hmnt"), SongBytes("Old", text));
    EXPECT_EQ(::link(QFile::encodeName(file.Path()).constData(),
                     QFile::encodeName(folder + QStringLiteral("/link.hmnt")).constData()),
              0);
    const timespec longAgo[2] = {{978307200, 0}, {978307200, 0}};
    EXPECT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(file.Path()).constData(), longAgo, 0), 0);
    OpenSong(file);
    return file;
  }
};

struct InPlaceFault {
  Fault fault;
  qint64 allowed;  // for write: the bytes the song may take first
};

std::ostream& operator<<(std::ostream& os, const InPlaceFault& f) { return os << f.fault << '@' << f.allowed; }

class FailedInPlaceSave : public InPlaceSong, public ::testing::WithParamInterface<InPlaceFault> {};

// Whatever the failed save did to the file, the next save, once the fault is gone, writes the song
// without asking about a change of another program's.
TEST_P(FailedInPlaceSave, LeavesTheNextSaveWithoutAQuestion) {
  REQUIRE_FAULT_SHIM();
  // The old song is the longer one, so that the save also shortens the file.
  const FolderItem file = OpenInPlaceSong((QStringLiteral("old words ").repeated(8) + "\n").repeated(31000));
  const QString song = (QStringLiteral("new words ").repeated(8) + "\n").repeated(18600);
  w->txtSong()->SetText(song);
  {
    FaultScope fault(QFileInfo(file.Path()).canonicalFilePath(), GetParam().fault, GetParam().allowed);
    EXPECT_TRUE(w->mSave());
  }
  ASSERT_EQ(dialogs.msgBoxes.size(), 1);
  EXPECT_TRUE(dialogs.msgBoxes[0].contains(GetParam().fault.reason)) << dialogs.msgBoxes[0].toStdString();
  EXPECT_TRUE(w->Modified());
  EXPECT_FALSE(w->mSave());
  EXPECT_TRUE(dialogs.messageDialogs.empty()) << dialogs.messageDialogs[0].Message.toStdString();
  EXPECT_EQ(dialogs.msgBoxes.size(), 1);
  EXPECT_FALSE(w->Modified());
  const QByteArray saved = Bytes(file);
  EXPECT_TRUE(saved.count("new words") == 8 * 18600 && !saved.contains("old words")) << saved.size() << " bytes";
}

INSTANTIATE_TEST_SUITE_P(EveryFailure, FailedInPlaceSave,
                         ::testing::Values(InPlaceFault{{"write", "ENOSPC", "No space left on device"}, 0},
                                           InPlaceFault{{"write", "EIO", "Input/output error"}, 0},
                                           InPlaceFault{{"write", "ENOSPC", "No space left on device"}, 1000000},
                                           InPlaceFault{{"write", "EIO", "Input/output error"}, 1000000},
                                           InPlaceFault{{"ftruncate", "EIO", "Input/output error"}, 0},
                                           InPlaceFault{{"fdatasync", "EIO", "Input/output error"}, 0},
                                           InPlaceFault{{"fdatasync", "ENOSPC", "No space left on device"}, 0},
                                           // A really full ext4: fallocate moves the modification time, then fails.
                                           InPlaceFault{{"fallocate", "ENOSPC", "No space left on device", true}, 0}));

using FailedInPlaceSaveOverAChange = InPlaceSong;

// A failed save that did not touch the file leaves another program's change to be asked about
// again, though the user chose once to save over it.
TEST_F(FailedInPlaceSaveOverAChange, StillAsksAboutThatChange) {
  REQUIRE_FAULT_SHIM();
  const FolderItem file = OpenInPlaceSong(QStringLiteral("[G]old words"));
  Edit();
  Write(file.Name(), SongBytes("Theirs", "[C]their words"));
  dialogs.messageAnswers = {DialogButton::Action};
  {
    FaultScope fault(QFileInfo(file.Path()).canonicalFilePath(), Fault{"fallocate", "ENOSPC", ""});
    EXPECT_TRUE(w->mSave());
  }
  EXPECT_EQ(dialogs.messageDialogs.size(), 1u);
  EXPECT_EQ(Bytes(file), SongBytes("Theirs", "[C]their words"));
  dialogs.messageAnswers = {DialogButton::Cancel};
  EXPECT_TRUE(w->mSave());
  EXPECT_EQ(dialogs.messageDialogs.size(), 2u);
  EXPECT_EQ(Bytes(file), SongBytes("Theirs", "[C]their words"));
}

using BackupOfAFailedSave = InPlaceSong;

// A save that failed part-way says where the old song is, and so does opening the song while that
// backup is there; the next save that goes through removes it.
TEST_F(BackupOfAFailedSave, IsNamedWhenTheSaveFailsAndWhenTheSongIsOpened) {
  REQUIRE_FAULT_SHIM();
  const FolderItem file = OpenInPlaceSong(QString(5000, QLatin1Char('o')));
  const QByteArray old = Bytes(file);
  w->txtSong()->SetText(QString(5000, QLatin1Char('n')));
  {
    FaultScope fault(QFileInfo(file.Path()).canonicalFilePath(), Fault{"write", "ENOSPC", ""}, 3000);
    EXPECT_TRUE(w->mSave());
  }
  QStringList others = QDir(folder).entryList(QDir::Files | QDir::Hidden);
  others.removeAll("song.hmnt");
  others.removeAll("link.hmnt");
  ASSERT_EQ(others.size(), 1);
  const QString backup = folder + QLatin1Char('/') + others[0];
  EXPECT_TRUE(FileBytes(backup) == old);
  ASSERT_EQ(dialogs.msgBoxes.size(), 1);
  EXPECT_TRUE(dialogs.msgBoxes[0].contains(QStringLiteral("The song as it was before is in \"%1\".").arg(backup)))
      << dialogs.msgBoxes[0].toStdString();
  // The torn song still reads as a song: opening it tells of the backup.
  dialogs.msgBoxes.clear();
  OpenSong(file);
  ASSERT_EQ(dialogs.msgBoxes.size(), 1);
  EXPECT_EQ(dialogs.msgBoxes[0],
            QStringLiteral("A save of \"song.hmnt\" did not finish, so the song may be incomplete. The song as it was "
                           "before that save is in \"%1\"; the next save of this song removes it.")
                .arg(backup));
  EXPECT_FALSE(w->Modified());
  // A song that cannot be read at all names it too.
  PutFile(file.Path(), QByteArray("torn\0", 5));
  dialogs.msgBoxes.clear();
  w->mOpenFile(file);
  ASSERT_EQ(dialogs.msgBoxes.size(), 1);
  EXPECT_TRUE(dialogs.msgBoxes[0].startsWith(QStringLiteral("The song \"%1\" could not be opened.").arg(file.Path())));
  EXPECT_TRUE(dialogs.msgBoxes[0].endsWith(
      QStringLiteral("The song as it was before that save is in \"%1\"; the next save of this song removes it.")
          .arg(backup)))
      << dialogs.msgBoxes[0].toStdString();
  Edit();
  dialogs.messageAnswers = {DialogButton::Action};
  EXPECT_FALSE(w->mSave());
  EXPECT_FALSE(QFileInfo::exists(backup));
  dialogs.msgBoxes.clear();
  OpenSong(file);
  EXPECT_TRUE(dialogs.msgBoxes.isEmpty()) << dialogs.msgBoxes.join('|').toStdString();
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
