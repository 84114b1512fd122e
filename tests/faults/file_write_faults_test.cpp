// Writing files on a full or failing disk: every failing system call is an IOException with the
// system's reason, the old file stays whole and no temporary file is left behind.
#include <QDir>
#include <QFile>
#include <optional>

#include <unistd.h>

#include "faults/fault_env.h"
#include "platform/core/errors.h"
#include "platform/core/file_stamp.h"
#include "platform/core/files.h"
#include "support/file_bytes.h"

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

// A file with a second name is written in place. A full disk, whether the file system reserves
// the space or only reports how much is free, refuses before a byte changes; a failure later on
// says that the file may hold part of the new song. No temporary file is left either way.
const Fault kInPlaceFaults[] = {
    {"fallocate", "ENOSPC", "No space left on device"},
    {"fallocate", "EOPNOTSUPP", "No space left on device"},
    {"fallocate", "EIO", "Input/output error"},
};

class InPlaceWriteFaults : public ::testing::TestWithParam<Fault> {};

TEST_P(InPlaceWriteFaults, FailIntoAnIOExceptionThatSaysWhetherTheFileChanged) {
  REQUIRE_FAULT_SHIM();
  static int serial = 0;
  const QString folder = FaultFolder(QStringLiteral("in-place-faults-%1").arg(++serial));
  const QString path = folder + QStringLiteral("/song.hmnt"), link = folder + QStringLiteral("/link.hmnt");
  const QByteArray old = "the old song, whole";
  PutFile(path, old);
  ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()), 0);
  const std::string call = GetParam().call;
  // Each new song is longer than the old one, so that the file must grow.
  for (const qint64 size : {qint64(100), qint64(300 * 1024)}) {
    for (const qint64 allowed : {qint64(0), size / 2}) {
      if (allowed > 0 && call != "write") continue;
      SCOPED_TRACE(testing::Message() << "size " << size << ", allowed " << allowed);
      PutFile(path, old);
      QString reason;
      {
        FaultScope fault(folder, GetParam(), allowed);
        try {
          TextOutputStream::WriteBytes(FolderItem(path), QByteArray(size, 'n'));
        } catch (const IOException& e) {
          reason = e.Reason();
        }
      }
      const bool beforeAnyByte = call == "fallocate" || (call == "write" && allowed == 0);
      if (beforeAnyByte) {
        EXPECT_EQ(reason, QStringLiteral("\"song.hmnt\" could not be written: %1").arg(GetParam().reason));
        EXPECT_EQ(FileBytes(path), old);
      } else {
        EXPECT_EQ(reason, QStringLiteral("\"song.hmnt\" could not be written completely: %1. It was being written "
                                         "over in place and may now hold only part of the song.")
                              .arg(GetParam().reason));
      }
      EXPECT_EQ(FileBytes(link), FileBytes(path));
      EXPECT_EQ(Entries(folder), (QStringList{"link.hmnt", "song.hmnt"}));
    }
  }
  // Without the fault the same write goes through, to both names.
  TextOutputStream::WriteBytes(FolderItem(path), "new");
  EXPECT_EQ(FileBytes(link), "new");
}

INSTANTIATE_TEST_SUITE_P(EveryCall, InPlaceWriteFaults,
                         ::testing::Values(kFaults[0], kFaults[1], kFaults[2], kFaults[3], kFaults[4], kFaults[5],
                                           kInPlaceFaults[0], kInPlaceFaults[1], kInPlaceFaults[2]));

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
