// Writing files on a full or failing disk: every failing system call is an IOException with the
// system's reason, the old file stays whole and no temporary file is left behind.
#include <QDir>
#include <QFile>
#include <optional>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "faults/fault_env.h"
#include "platform/core/errors.h"
#include "platform/core/file_stamp.h"
#include "platform/core/files.h"
#include "support/file_bytes.h"
#include "support/inode_flags.h"
#include "support/killed_child.h"

namespace {

QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
}

class FileWriteFaults : public ::testing::TestWithParam<Fault> {};

TEST_P(FileWriteFaults, FailIntoAnIOExceptionAndKeepTheOldFile) {
  REQUIRE_FAULT_SHIM();
  static int serial = 0;
  const QString folder = FaultFolder(QStringLiteral("write-faults-%1").arg(++serial));
  const QString path = folder + QStringLiteral("/song.hmnt");
  const QByteArray old = "the old song, whole";
  PutFile(path, old);
  // Small (one buffer) and large contents, and one that fails half-way through.
  for (const qint64 size : {qint64(10), qint64(16 * 1024), qint64(300 * 1024)}) {
    const QByteArray fresh(size, 'n');
    for (const qint64 allowed : {qint64(0), size / 2}) {
      if (allowed > 0 && std::string(GetParam().call) != "write") continue;
      SCOPED_TRACE(testing::Message() << "size " << size << ", allowed " << allowed);
      QString reason;
      {
        FaultScope fault(folder, GetParam(), allowed);
        try {
          TextOutputStream::WriteBytes(FolderItem(path), fresh);
        } catch (const IOException& e) {
          reason = e.Reason();
        }
      }
      EXPECT_EQ(reason, QStringLiteral("\"song.hmnt\" could not be written: %1").arg(GetParam().reason));
      EXPECT_EQ(FileBytes(path), old);
      EXPECT_EQ(Entries(folder), QStringList{"song.hmnt"});
    }
  }
  // Without the fault the same write goes through.
  TextOutputStream::WriteBytes(FolderItem(path), "new");
  EXPECT_EQ(FileBytes(path), "new");
}

INSTANTIATE_TEST_SUITE_P(EveryCall, FileWriteFaults, ::testing::ValuesIn(kFaults));

// A file with a second name is written in place, after a synced backup of the old file is made
// beside it. A full disk, whether the file system reserves the space or only reports how much is
// free, refuses before a byte changes, and so does a backup that cannot be made; a failure later
// on says that the file may hold part of the new song and where the old one is. Once the new
// song is whole and synced, the backup goes; nothing else is left either way.
struct InPlaceCase {
  Fault fault;
  bool wholeFolder;  // the fault hits every file in the folder (the backup too), else the song only
  qint64 allowed;    // for write: the bytes a file may take first
  qint64 newSize;    // the new song's length (the old one has 50,000 bytes)
  enum Outcome { Refused, NoBackup, Partial } outcome;
};

std::ostream& operator<<(std::ostream& os, const InPlaceCase& c) {
  return os << c.fault << (c.wholeFolder ? " in the folder" : " on the song") << " @" << c.allowed;
}

class InPlaceWriteFaults : public ::testing::TestWithParam<InPlaceCase> {};

TEST_P(InPlaceWriteFaults, FailIntoAnIOExceptionThatSaysWhetherTheFileChangedAndWhereTheOldOneIs) {
  REQUIRE_FAULT_SHIM();
  const InPlaceCase& c = GetParam();
  static int serial = 0;
  const QString folder = FaultFolder(QStringLiteral("in-place-faults-%1").arg(++serial));
  const QString path = folder + QStringLiteral("/song.hmnt"), link = folder + QStringLiteral("/link.hmnt");
  const QByteArray old(50000, 'o');
  PutFile(path, old);
  ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()), 0);
  QString reason;
  {
    FaultScope fault(c.wholeFolder ? folder : path, c.fault, c.allowed);
    try {
      TextOutputStream::WriteBytes(FolderItem(path), QByteArray(c.newSize, 'n'));
    } catch (const IOException& e) {
      reason = e.Reason();
    }
  }
  QStringList backups = Entries(folder);
  backups.removeAll("song.hmnt");
  backups.removeAll("link.hmnt");
  switch (c.outcome) {
    case InPlaceCase::Refused:
      EXPECT_EQ(reason, QStringLiteral("\"song.hmnt\" could not be written: %1").arg(c.fault.reason));
      break;
    case InPlaceCase::NoBackup:
      EXPECT_EQ(reason, QStringLiteral("\"song.hmnt\" could not be written: no backup of it could be made (%1), so "
                                       "it was left as it is. Save As can save the song under another name.")
                            .arg(c.fault.reason));
      break;
    case InPlaceCase::Partial:
      ASSERT_EQ(backups.size(), 1);
      EXPECT_EQ(reason, QStringLiteral("\"song.hmnt\" could not be written completely: %1. It was being written "
                                       "over in place and may now hold only part of the song. The song as it was "
                                       "before is in \"%2\".")
                            .arg(c.fault.reason, folder + QLatin1Char('/') + backups[0]));
      EXPECT_TRUE(FileBytes(folder + QLatin1Char('/') + backups[0]) == old);
      break;
  }
  if (c.outcome != InPlaceCase::Partial) {
    EXPECT_TRUE(FileBytes(path) == old);
    EXPECT_EQ(backups, QStringList());
  }
  EXPECT_TRUE(FileBytes(link) == FileBytes(path));
  // Without the fault the same write goes through, to both names, and the backup goes.
  TextOutputStream::WriteBytes(FolderItem(path), "new");
  EXPECT_EQ(FileBytes(link), "new");
  EXPECT_EQ(Entries(folder), (QStringList{"link.hmnt", "song.hmnt"}));
}

INSTANTIATE_TEST_SUITE_P(
    EveryCall, InPlaceWriteFaults,
    ::testing::Values(
        InPlaceCase{{"fallocate", "ENOSPC", "No space left on device"}, true, 0, 100000, InPlaceCase::Refused},
        InPlaceCase{{"fallocate", "EOPNOTSUPP", "No space left on device"}, true, 0, 100000, InPlaceCase::Refused},
        InPlaceCase{{"fallocate", "EIO", "Input/output error"}, true, 0, 100000, InPlaceCase::Refused},
        InPlaceCase{{"write", "ENOSPC", "No space left on device"}, true, 0, 100000, InPlaceCase::NoBackup},
        InPlaceCase{{"write", "EIO", "Input/output error"}, true, 0, 100000, InPlaceCase::NoBackup},
        InPlaceCase{{"fdatasync", "EIO", "Input/output error"}, true, 0, 100000, InPlaceCase::NoBackup},
        InPlaceCase{{"close", "EIO", "Input/output error"}, true, 0, 100000, InPlaceCase::NoBackup},
        InPlaceCase{{"write", "ENOSPC", "No space left on device"}, false, 0, 100000, InPlaceCase::Refused},
        InPlaceCase{{"write", "EIO", "Input/output error"}, false, 0, 100000, InPlaceCase::Refused},
        InPlaceCase{{"write", "ENOSPC", "No space left on device"}, false, 60000, 100000, InPlaceCase::Partial},
        InPlaceCase{{"write", "EIO", "Input/output error"}, false, 60000, 100000, InPlaceCase::Partial},
        InPlaceCase{{"fdatasync", "EIO", "Input/output error"}, false, 0, 100000, InPlaceCase::Partial},
        InPlaceCase{{"fdatasync", "ENOSPC", "No space left on device"}, false, 0, 100000, InPlaceCase::Partial},
        InPlaceCase{{"close", "ENOSPC", "No space left on device"}, false, 0, 100000, InPlaceCase::Partial},
        InPlaceCase{{"ftruncate", "EIO", "Input/output error"}, false, 0, 10000, InPlaceCase::Partial}));

// Some file systems (FAT through FUSE) refuse to truncate a file to the length it has: a song as
// long as the old one is saved there all the same.
TEST(InPlaceWriteOfTheSameLength, DoesNotTruncate) {
  REQUIRE_FAULT_SHIM();
  const QString folder = FaultFolder(QStringLiteral("same-length"));
  const QString path = folder + QStringLiteral("/song.hmnt");
  PutFile(path, "the old song");
  ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(folder + "/link.hmnt").constData()), 0);
  FaultScope fault(folder, Fault{"ftruncate", "EIO", ""});
  EXPECT_NO_THROW(TextOutputStream::WriteBytes(FolderItem(path), "the new song"));
  EXPECT_EQ(FileBytes(path), "the new song");
}

// Where a new file cannot keep the old one's inode flags, the song is written in place: the
// flags stay, and so does the file.
TEST(FileWriteWithoutInodeFlags, WritesInPlace) {
  REQUIRE_FAULT_SHIM();
  const QString folder = FaultFolder(QStringLiteral("flags-refused"));
  const QString path = folder + QStringLiteral("/song.hmnt");
  PutFile(path, "the old song");
  const QString why = ChangeInodeFlags(path, FS_NOATIME_FL | FS_NODUMP_FL);
  if (!why.isEmpty()) GTEST_SKIP() << "the test folder's file system keeps no inode flags: " << why.toStdString();
  struct stat before {};
  ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &before), 0);
  {
    FaultScope fault(folder, Fault{"setflags", "EPERM", ""});
    TextOutputStream::WriteBytes(FolderItem(path), "the new song");
  }
  EXPECT_EQ(FileBytes(path), "the new song");
  struct stat after {};
  ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(InodeFlags(path).value_or(0) & (FS_NOATIME_FL | FS_NODUMP_FL), FS_NOATIME_FL | FS_NODUMP_FL);
  EXPECT_EQ(Entries(folder), QStringList{"song.hmnt"});
}

// Where the file system offers no unnamed files, the temporary file has a name while it is
// written: a later save removes those that killed saves left, but never one that a save still
// running in another process holds.
TEST(FileWriteWithoutUnnamedFiles, RemovesTheTemporariesOfKilledSavesButNotOneInUse) {
  REQUIRE_FAULT_SHIM();
  const QString folder = FaultFolder(QStringLiteral("no-unnamed-files"));
  const QString path = folder + QStringLiteral("/song.hmnt");
  const QByteArray song = QByteArray("a line of the song\n").repeated(50000);
  FaultScope fault(folder, Fault{"tmpfile", "EOPNOTSUPP", ""});
  const auto save = [&] { TextOutputStream::WriteBytes(FolderItem(path), song); };
  save();
  EXPECT_EQ(Entries(folder), QStringList{"song.hmnt"});
  const auto whole = TimeInChild(save);
  for (int run = 0; run < 10; ++run) RunKilledAfter(save, whole * run / 10);
  // A save in another process, still writing, and a file of the user's own.
  int ready[2], hold[2];
  ASSERT_EQ(::pipe(ready), 0);
  ASSERT_EQ(::pipe(hold), 0);
  const QByteArray held = QFile::encodeName(folder + QStringLiteral("/.hmnt-0badf00d.tmp"));
  const pid_t writer = ::fork();
  if (writer == 0) {
    ::close(hold[1]);
    const int fd = ::open(held.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    const char ok = fd >= 0 && ::flock(fd, LOCK_EX) == 0 ? 'y' : 'n';
    (void)!::write(ready[1], &ok, 1);
    char end;
    (void)!::read(hold[0], &end, 1);
    ::_exit(0);
  }
  ::close(hold[0]);
  char ok = 'n';
  ASSERT_EQ(::read(ready[0], &ok, 1), 1);
  ASSERT_EQ(ok, 'y');
  PutFile(folder + QStringLiteral("/.hmnt-notes.tmp"), "the user's own");
  save();
  EXPECT_EQ(Entries(folder), (QStringList{".hmnt-0badf00d.tmp", ".hmnt-notes.tmp", "song.hmnt"}));
  // Once that save is gone, its file is left over too.
  ::close(hold[1]);
  ::waitpid(writer, nullptr, 0);
  save();
  EXPECT_EQ(Entries(folder), (QStringList{".hmnt-notes.tmp", "song.hmnt"}));
  EXPECT_TRUE(FileBytes(path) == song);
}

TEST(FileWriteFaultsBeside, AFailingSyncOfTheFolderAfterTheRenameIsToldWithWhatWasWritten) {
  REQUIRE_FAULT_SHIM();
  const QString parent = FaultFolder(QStringLiteral("folder-sync"));
  QDir().mkpath(parent + QStringLiteral("/songs"));
  const QString path = parent + QStringLiteral("/songs/song.hmnt");
  std::optional<FileStamp> stamp;
  QString reason;
  {
    FaultScope fault(parent, Fault{"fsync", "EIO", ""});
    try {
      TextOutputStream::WriteBytes(FolderItem(path), "complete");
    } catch (const UnsyncedWriteException& e) {
      stamp = e.Stamp();
      reason = e.Reason();
    }
  }
  // The song is in place, but the user learns that it may not survive a crash.
  EXPECT_EQ(FileBytes(path), "complete");
  EXPECT_EQ(stamp, FileStamp::Of(FolderItem(path)));
  EXPECT_TRUE(reason.contains("may not survive a crash") && reason.contains("Input/output error"))
      << reason.toStdString();
}

}  // namespace
